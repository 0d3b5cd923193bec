// State shared by the loader, the sequencer and the effects (internal to
// player/ and its tests). One song, one set of channels: plain globals.
//
// Writers: pt_load (main thread, before playback) fills the song tables;
// pt_tick and the effects (audio thread) own the sequencer and channel state.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "player/player.h"

// --- Song tables (filled by pt_takemod) -------------------------------------

struct PtSample {
    uint32_t length;       // bytes, as the header says
    uint32_t loop_start;   // bytes
    uint32_t loop_length;  // bytes
    int32_t finetune;      // 0..15, the period-table row
    int32_t volume;        // 0..64
};

extern int32_t pt_channels;             // C, 2..32; 0 when nothing is loaded
extern int32_t pt_song_length;          // order entries played, 0..128
extern int32_t pt_restart_order;        // 0..126
extern uint8_t pt_order_table[128];     // every entry < 128 once loaded
extern PatternCell* pt_patterns[128];   // converted pattern n, inside the caller's buffer
extern PtSample pt_samples[32];         // indexed by sample number; entry 0 stays zero

// Loader's core: parses, validates, converts and registers. 1 or 0 (pt_error).
int pt_takemod(uint8_t* buffer, size_t length);

// Converts `channels` x 64 stored cells starting at `pattern` into PatternCell, in place.
void pt_convert_pattern(uint8_t* pattern, int channels);

// Note index of a stored period: how many of row 0's entries 0..83 are
// strictly greater than it (84 for 0 and anything below 28).
int pt_note_index(uint32_t period);

// Marks the song playable (or not). Set by pt_load only.
void pt_set_song_loaded(int loaded);

// --- Sequencer state (audio thread) ------------------------------------------

// Song position parts. Written by the audio thread (and pt_load before
// playback), read by any thread through pt_position: relaxed atomics.
extern std::atomic<int32_t> pt_order_index;
extern std::atomic<int32_t> pt_row;

extern int32_t pt_tick_counter;          // tick within the row, 0 = first tick
extern int32_t pt_break_row;             // row at which the next order starts, 0..63
extern int32_t pt_current_pattern;       // pattern number of the current order
extern const PatternCell* pt_current_row;  // C cells; null until the first row starts

// Default panning per channel, 4-bit values sent as x 16. Rewritten by E8y;
// loading leaves it alone.
extern uint8_t pt_channel_pan[32];

struct PtChannel {
    int32_t sample;          // last sample number given, 0..31
    int32_t note;            // note index of the last started note, 0..83
    int32_t period;          // slides change it; vibrato and arpeggio do not
    int32_t volume;          // slides change it; tremolo and note cut do not
    int32_t panning;         // last panning sent for a new sample or 8xx
    int32_t finetune;        // period-table row
    int32_t porta_target;    // period that 3xx / 5xy slide towards
    int32_t porta_speed;     // period units per tick
    int32_t glissando;       // E3y: non-zero sends the nearest note's period
    int32_t vibrato_depth;   // 0..15
    int32_t vibrato_speed;   // 0..15
    int32_t vibrato_pos;     // 0..63
    int32_t tremolo_depth;   // 2 x y of 7xy, 0..30
    int32_t tremolo_speed;   // 0..15
    int32_t tremolo_pos;     // 0..63
    int32_t loop_row;        // E60 marks it
    int32_t loop_count;      // E6y repetitions left
    int32_t delay_count;     // EEy rows of delay left
};
extern PtChannel pt_chan[PT_MAX_CHANNELS];

// Global waveform selections (indices into pt_waveforms), one for all channels.
enum { PT_WAVE_SINE = 0, PT_WAVE_RAMP = 1, PT_WAVE_SQUARE = 2, PT_WAVE_RANDOM = 3 };
extern int32_t pt_vibrato_wave;
extern int32_t pt_tremolo_wave;

// Fills the ramp and random waveforms (pt_reset_song).
void pt_fill_waveforms();

// --- Effects (effects.cpp), called by pt_tick for the selected voice ---------

// Effect action on the first tick of a row, after the note start.
void pt_effect_first_tick(int channel, const PatternCell& cell);
// Effect action on every other tick of the row.
void pt_effect_other_tick(int channel, const PatternCell& cell);
