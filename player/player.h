// The module player: loader, sequencer and effects. Free of SDL and OpenGL.
//
// Threads: pt_load runs on the main thread before playback starts. pt_tick and
// pt_update_trigger_ages run on the audio thread (or the timer thread, never
// both). The main thread reads pt_position and pt_trigger_age while they run;
// those values are relaxed atomics, so the reads are race-free without locks.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "player/sound_driver.h"

// One converted pattern cell, written over the stored 4-byte cell in place.
struct PatternCell {
    uint8_t sample;  // 0 = none, 1..31
    uint8_t note;    // index into pt_period_table, 0..83; 84 = no note
    uint8_t effect;  // 0..15
    uint8_t param;   // 0..255
};
static_assert(sizeof(PatternCell) == 4, "a converted cell replaces a stored one in place");

constexpr int PT_NO_NOTE = 84;
constexpr int PT_MAX_CHANNELS = 32;
constexpr int PT_MAX_PERIOD = 3628;  // largest period of the table: upper bound of the slides
constexpr int PT_MIN_PERIOD = 27;    // lower bound of the slides

// 16 finetune rows (0..7 = +0..+7, 8..15 = -8..-1) x 85 notes, lowest note first.
extern const uint16_t pt_period_table[16][85];

// The four modulation waveforms: sine, ramp down, square, random.
// Ramp and random are filled by pt_reset_song.
extern int16_t pt_waveforms[4][64];

// Loads a whole module held in `buffer`, `length` bytes of data. Converts its
// patterns in place and registers its samples through SoundDriver, so the
// buffer must stay alive (and unchanged) while the module plays. Never reads
// past `length`, and every registered sample (and its loop) lies wholly
// inside the data: a sample cut short by the end of the data keeps what is
// there. Returns 1 on success; 0 on failure with a text in pt_error, having
// converted, registered and set up nothing:
//   "pt_takemod error: module shorter than its header!"  (under 1084 bytes)
//   "pt_takemod error: unknown module type!"             (tag not in the table)
//   "pt_takemod error: pattern number above 127!"        (in any order entry)
//   "pt_takemod error: pattern data cut short!"
// pt_position reads 0 while loading and after a failed load, -37 after a
// successful one until the first tick. Main thread, before playback.
int pt_load(uint8_t* buffer, size_t length);

// The loader's last error text ("" until a load fails).
const char* pt_error();

// Puts the sequencer at the start of the song (pt_load calls it).
void pt_reset_song();

// One sequencer tick. Audio thread. Does nothing while no song is loaded.
void pt_tick();

// The trigger-age step, right after every pt_tick, by the same caller: the
// samples a row's trigger cells carry go to 0, every other age counts up
// (saturating). Does nothing while no song is loaded.
void pt_update_trigger_ages();

// pt_samples_per_tick = 5512500 / (pt_tempo * 50). Guarded: with tempo 0
// (nothing loaded) it leaves the tick length unchanged.
void pt_update_tick_length();

// Song position: row + 100 * order index, 32-bit wrap-around. Any thread.
uint32_t pt_position();

// 1 when the last pt_tick started a new row (also one at the same position,
// as a one-row pattern loop gives); 0 for the other ticks, pattern-delay
// repetitions and ticks at speed 0. Same thread as pt_tick.
int pt_row_started();
// Position of the row that the last row start began, as it stood before that
// row's effects wrote any jump (B, D, E6x). Same thread as pt_tick.
uint32_t pt_started_row_position();

// Ticks since a row last carried each sample number (indexed by sample number).
// Written by the audio thread, read by the main thread.
extern std::atomic<int32_t> pt_trigger_age[32];

// Sequencer globals, written and read on the audio thread (and by tests).
extern int32_t pt_speed;             // ticks per row; 0 stops row advance
extern int32_t pt_tempo;             // beats per minute (0 until loaded)
extern int32_t pt_samples_per_tick;  // output frames per tick

// 1 after a successful pt_load, 0 before any load or after a failed one.
// Playback must not be started without a loaded song.
int pt_song_loaded();

// Channel count of the loaded module (0 if none).
int pt_channel_count();
