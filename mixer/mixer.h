// The software mixer: voices with 32.32 fixed-point resampling, the fixed
// graph of eight stereo float buses with its effect units, and the conversion
// to clipped signed 16-bit stereo. Free of SDL and OpenGL.
//
// Threads: mix_install, mix_init, mix_define_sample, mix_set_voice_count and
// mix_set_master_volume run on the main thread before playback. Every other
// voice operation runs inside the sequencer tick, and mix_render between
// ticks, both on the audio thread.
#pragma once

#include <cstdint>

// Puts the nine voice operations into SoundDriver.
void mix_install();

// Builds the whole mixer for an output rate (Hz) and a buffer length (frames):
// bus buffers, effect units, delay lines. Returns 1, or 0 when memory could
// not be had (nothing may then render). Main thread, once.
int mix_init(int rate, int frames);

// Renders `frames` frames (at most the buffer length given to mix_init):
// commits the voices, mixes them through the bus graph with the song
// `position` handed to the effect units, and, when `convert` is not 0, writes
// interleaved int16 stereo to `out`. Audio thread.
void mix_render(int16_t* out, int frames, int convert, int32_t position);

// Converts 2 x frames floats to clipped signed 16-bit (full scale 32763).
void mix_to_int16(const float* src, int16_t* dst, int frames);
