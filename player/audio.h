// Audio output and the playback clock.
//
// snd_render is the playback clock: it fills an interleaved signed 16-bit
// stereo buffer of any length, running one sequencer tick at each tick
// boundary and letting the mixer render the frames between them. The SDL
// audio callback and every offline tool call this same function, so what is
// tested is what plays. It is SDL-free (player/clock.cpp).
//
// snd_open, pt_start, pt_stop, the callback and the timer fallback are the SDL
// side (player/snd_sdl.cpp).
#pragma once

#include <cstdint>

// Fills `frames` stereo frames (4 bytes each) at `out`, exactly as the audio
// device receives them. Audio thread (or a tool's own thread). Allocates
// nothing, locks nothing, prints nothing.
void snd_render(int16_t* out, int frames);

// Output frames still to render before the next tick (0: the next
// snd_render starts with a tick).
extern int32_t snd_frames_left_in_tick;

// Puts the clock back to its start state (the next snd_render starts with a tick).
void snd_clock_reset();

// Fills SoundDriver with the mixer's voice operations and a mixer-only init
// (no device), then runs init(rate, frames) and set_master_volume(64): the
// state snd_open leaves, for tools and tests that render without SDL.
void snd_open_offline(int rate, int frames);

// --- SDL side -------------------------------------------------------------

enum SndOutputMode { SND_TIMER_FALLBACK = 0, SND_AUDIO_DEVICE = 1 };
extern SndOutputMode snd_output_mode;
extern const char* snd_driver_name;   // "SDL audio" once installed
extern const char* snd_driver_error;  // "SDL audio error" when the device cannot open

// Opens the SDL audio device paused and sets up the mixer. 1 or 0. Main thread.
int snd_open(int rate, int frames);
// Starts playback (un-pauses the device, or starts the timer fallback).
// Refuses (returns 0) when no song is loaded. Main thread.
int pt_start(int ticks_per_second);
// Stops playback: removes the timer, or stops and closes the device. Main thread.
void pt_stop();
// The SDL audio callback.
void snd_audio_callback(void* userdata, uint8_t* stream, int length);
// The SDL timer callback of the fallback clock.
uint32_t snd_timer_callback(uint32_t interval);
