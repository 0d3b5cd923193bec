// A headless OpenGL context for tests, benchmarks and offline export: Mesa
// through EGL on the surfaceless platform, a pbuffer of RGBA 8 bits with a
// 24-bit depth buffer, compatibility profile (the whole OpenGL 1.1
// fixed-function pipeline). One context per process, main thread only.
#pragma once

#include <cstdint>

// Creates the context with a width x height pbuffer and makes it current.
// Returns 1, or 0 with a one-line text in gfx_offscreen_error(). Opening
// again while open closes the old context first.
int gfx_offscreen_open(int width, int height);

// The reason of the last failure of gfx_offscreen_open ("" when none).
const char* gfx_offscreen_error();

// Size of the open pbuffer (0 when closed).
int gfx_offscreen_width();
int gfx_offscreen_height();

// Finishes drawing and copies the pbuffer into rgba: width x height x 4
// bytes, the top row of the picture first. Pixel-store state is kept.
void gfx_offscreen_read_rgba(uint8_t* rgba);

// Releases the context and the pbuffer; safe to call when closed.
void gfx_offscreen_close();
