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
// nothing, locks nothing, prints nothing. Without a loaded song it runs no
// tick and renders the mixer alone (silence once the echoes have died away).
void snd_render(int16_t* out, int frames);

// Output frames still to render before the next tick (0: the next
// snd_render starts with a tick).
extern int32_t snd_frames_left_in_tick;

// Puts the clock back to its start state (the next snd_render starts with a tick).
void snd_clock_reset();

// Called by snd_render_observed right after each tick (pt_tick,
// pt_update_trigger_ages, pt_update_tick_length), with the index within `out`
// of the first frame rendered after that tick.
using SndTickObserver = void (*)(void* context, int frame);

// snd_render with an observer of the ticks (null: none). snd_render is this
// with no observer, so a tool that watches the ticks renders exactly what the
// device receives.
void snd_render_observed(int16_t* out, int frames, SndTickObserver on_tick, void* context);

// Fills SoundDriver with the mixer's voice operations and a mixer-only init
// (no device), then runs init(rate, frames) and set_master_volume(64): the
// state snd_open leaves, for tools and tests that render without SDL. Resets
// the clock. Returns 1, or 0 when the mixer could not be built (mix_init).
int snd_open_offline(int rate, int frames);

// --- SDL side (player/snd_sdl.cpp) ------------------------------------------

// Timer fallback until snd_open; audio device from snd_open on.
enum SndOutputMode { SND_TIMER_FALLBACK = 0, SND_AUDIO_DEVICE = 1 };
extern SndOutputMode snd_output_mode;
extern const char* snd_driver_name;   // "SDL audio" once installed
extern const char* snd_driver_error;  // "SDL audio error" when the device cannot open

// Opens the SDL audio device, paused, at `rate` Hz with a `frames`-frame
// buffer, fills SoundDriver (device operations and the mixer's voice
// operations), builds the mixer, sets master volume 64. Returns 1, or 0 when
// the device cannot be opened or the mixer cannot be built (then nothing may
// call the voice operations). Main thread, once, before pt_load.
int snd_open(int rate, int frames);
// The device half of snd_open: opens it and fills the table's device entries
// and the voice operations; 0 (table left empty) when SDL refuses the device.
int snd_sdl_install(int rate, int frames);
// SDL_OpenAudio with our request (stereo, snd_sdl_sample_format, callback
// snd_audio_callback, no obtained format asked for). 1 or 0.
int snd_sdl_open_device(int rate, int frames);
// The sample format asked of the device: signed 16-bit (AUDIO_S16LSB) at
// every rate, since the callback always writes signed 16-bit frames.
uint16_t snd_sdl_sample_format(int rate);

// Starts playback: with a device, un-pauses it (the callback then clocks the
// sequencer); otherwise starts an SDL timer running one tick every
// 1000 / ticks_per_second ms (the tempo has no effect there). Returns 1, or
// 0 without starting anything when no song is loaded or ticks_per_second < 1.
// Main thread.
int pt_start(int ticks_per_second);
// Stops playback: removes the timer (the position stays where it was), or
// stops and closes the device (the callback no longer runs when it returns).
// Main thread.
void pt_stop();
// The SDL audio callback: in device mode fills `length` / 4 frames through
// snd_render; otherwise leaves the stream alone. Audio thread.
void snd_audio_callback(void* userdata, uint8_t* stream, int length);
// The SDL timer callback of the fallback clock: in timer mode one pt_tick and
// pt_update_trigger_ages. Returns `interval`, which keeps the timer periodic.
// Timer thread.
uint32_t snd_timer_callback(uint32_t interval);
