// The graphics layer: picture and font textures, text drawing and the scene
// effects. OpenGL 1.1 immediate mode, main thread only, inside the frame,
// under the frame loop's projection and base model-view matrix.
#pragma once

#include <cstdint>

// --- textures ---------------------------------------------------------------
// Decodes a JPEG file to 8-bit RGB rows, top row first, in a malloc'ed buffer
// of (height + 1) x width x 3 bytes (caller frees). Null when the file cannot
// be opened or decoded (then width and height are left untouched unless the
// header was read).
uint8_t* gfx_load_jpeg(const char* path, int* width, int* height);

// The twelve picture textures and the font texture. Each returns 1, or 0 with
// a one-line text in gfx_error() naming the file that is missing or unusable.
int gfx_load_pictures();
int gfx_load_font();
const char* gfx_error();

extern const char* const gfx_picture_files[12];
extern uint32_t gfx_picture_textures[12];
extern uint32_t gfx_font_texture;

// --- text -------------------------------------------------------------------
void gfx_draw_text(const char* text, float t);
void gfx_draw_glyph(char c);

// --- scene effects ----------------------------------------------------------
void gfx_wavy_picture(float a, int picture, float b);
void gfx_iris_mask(float r);
void gfx_triangle_swarm(float t, float k);
void gfx_textured_ball(float t);
void gfx_nested_rings(float t);
void gfx_spiral_band(float t);
void gfx_pinwheel(float t, int blades, float width);
void gfx_star_rings(float t, int rings, int swing);
void gfx_star_grid(float t, int count, int rings);
