// The sequencer: ticks, rows and orders, note starts, song position and
// trigger ages.
//
// Audio thread: pt_tick, pt_update_trigger_ages, pt_update_tick_length,
// pt_row_started, pt_started_row_position and pt_position run on the audio
// (or timer) thread; pt_position also on the main thread. They allocate
// nothing, lock nothing, print nothing and touch no file. pt_reset_song runs
// on the main thread from pt_load, before playback.
//
// Call flow of one tick:
//   pt_tick
//     -> start_row               every pt_speed ticks: pattern delay, row + 1, order
//     -> per channel: SoundDriver.select_voice, then
//          tick 0:  start_note (sample, then note)  -> pt_effect_first_tick
//          else:    pt_effect_other_tick
//   pt_update_trigger_ages       right after, by the same caller
//   pt_update_tick_length        right after that, by the audio clock
#include <climits>

#include "player/player_state.h"

std::atomic<int32_t> pt_order_index{0};  // written: audio thread, pt_load; read: any thread
std::atomic<int32_t> pt_row{0};          // written: audio thread, pt_load; read: any thread

int32_t pt_speed = 0;
int32_t pt_tempo = 0;
int32_t pt_samples_per_tick = 0;

int32_t pt_tick_counter = 0;
int32_t pt_break_row = 0;
int32_t pt_current_pattern = 0;
const PatternCell* pt_current_row = nullptr;
// For pt_row_started: audio thread (or a tool's own thread).
static int32_t row_started_by_last_tick = 0;
static uint32_t started_row_position = 0;  // before any jump of that row is written
int32_t pt_vibrato_wave = PT_WAVE_SINE;
int32_t pt_tremolo_wave = PT_WAVE_SINE;
PtChannel pt_chan[PT_MAX_CHANNELS] = {};

// Left, right, left, right, then narrower pairs for the extra channels.
uint8_t pt_channel_pan[32] = {
     0, 15,  0, 15,  7,  9,  9,  7,
     7,  9,  9,  7,  7,  9,  9,  7,
     7,  9,  9,  7,  7,  9,  9,  7,
     7,  9,  9,  7,  7,  9,  9,  7,
};

// Written: audio thread (pt_update_trigger_ages); read: main thread (beat pulses).
// 999999 from program start, so samples never played read as long ago.
std::atomic<int32_t> pt_trigger_age[32] = {
    999999, 999999, 999999, 999999, 999999, 999999, 999999, 999999,
    999999, 999999, 999999, 999999, 999999, 999999, 999999, 999999,
    999999, 999999, 999999, 999999, 999999, 999999, 999999, 999999,
    999999, 999999, 999999, 999999, 999999, 999999, 999999, 999999,
};

namespace {

constexpr int EFFECT_TONE_PORTAMENTO = 3;
constexpr int EFFECT_PORTAMENTO_VOLUME_SLIDE = 5;
constexpr int EFFECT_PANNING = 8;
constexpr int EFFECT_SAMPLE_OFFSET = 9;
constexpr int EFFECT_VOLUME = 12;
constexpr int EFFECT_EXTENDED = 14;
constexpr int EXTENDED_NOTE_DELAY = 13;

bool is_tone_portamento(int effect) {
    return effect == EFFECT_TONE_PORTAMENTO || effect == EFFECT_PORTAMENTO_VOLUME_SLIDE;
}

// Counts the pattern-delay counters down; true when any was running, which
// makes this row start a repetition of the current row.
bool count_down_pattern_delays() {
    bool delayed = false;
    for (int i = 0; i < pt_channels; i++) {
        if (pt_chan[i].delay_count > 0) {
            pt_chan[i].delay_count--;
            delayed = true;
        }
    }
    return delayed;
}

void start_row() {
    int32_t row = pt_row.load(std::memory_order_relaxed) + 1;
    int32_t order = pt_order_index.load(std::memory_order_relaxed);
    if (static_cast<uint32_t>(row) >= 64) {
        order++;
        row = pt_break_row;
        pt_break_row = 0;
    }
    // There is no end of song. The test runs at every row start, not only at
    // an order change, so that an order index left out of the song by Bxx
    // followed by E6y on a later channel can never index past the table.
    if (static_cast<uint32_t>(order) >= static_cast<uint32_t>(pt_song_length))
        order = pt_restart_order;
    // Row first: a reader may pair the new row with the old order, never worse.
    pt_row.store(row, std::memory_order_relaxed);
    pt_order_index.store(order, std::memory_order_relaxed);
    pt_current_pattern = pt_order_table[order];
    pt_current_row = pt_patterns[pt_current_pattern] + row * pt_channels;
}

// Sample number and note of a row's first tick, before the effect acts.
void start_note(int channel, const PatternCell& cell) {
    PtChannel& ch = pt_chan[channel];
    const int effect = cell.effect;
    if (cell.sample > 0) {
        ch.sample = cell.sample;
        ch.panning = pt_channel_pan[channel] * 16;
        ch.volume = pt_samples[cell.sample].volume;
        if (effect != EFFECT_VOLUME) SoundDriver.set_volume(ch.volume);
        if (effect != EFFECT_PANNING) SoundDriver.set_panning(ch.panning);
        SoundDriver.set_sample(cell.sample);
    }
    if (cell.note < PT_NO_NOTE) {
        ch.finetune = pt_samples[ch.sample].finetune;
        ch.porta_target = pt_period_table[ch.finetune][cell.note];
        const bool delayed = effect == EFFECT_EXTENDED && (cell.param >> 4) == EXTENDED_NOTE_DELAY;
        if (!is_tone_portamento(effect) && !delayed) {
            ch.period = ch.porta_target;
            SoundDriver.set_period(ch.period);
            if (effect != EFFECT_SAMPLE_OFFSET) SoundDriver.set_position(0);
            ch.note = cell.note;
        }
    }
}

}  // namespace

void pt_reset_song() {
    for (PtChannel& ch : pt_chan) {
        // Panning and the glissando flag live on across songs.
        const int32_t panning = ch.panning;
        const int32_t glissando = ch.glissando;
        ch = PtChannel{};
        ch.panning = panning;
        ch.glissando = glissando;
    }
    // The first tick completes this row and so starts order 0 at row 0.
    pt_order_index.store(-1, std::memory_order_relaxed);
    pt_row.store(63, std::memory_order_relaxed);
    pt_break_row = 0;
    pt_speed = 6;
    pt_tempo = 125;
    pt_tick_counter = 5;
    pt_current_pattern = 0;
    pt_current_row = nullptr;
    pt_vibrato_wave = PT_WAVE_SINE;
    pt_tremolo_wave = PT_WAVE_SINE;
    pt_fill_waveforms();
}

void pt_tick() {
    row_started_by_last_tick = 0;
    if (!pt_song_loaded()) return;
    if (pt_speed != 0) {
        pt_tick_counter++;
        if (static_cast<uint32_t>(pt_tick_counter) >= static_cast<uint32_t>(pt_speed)) {
            pt_tick_counter = 0;
            if (count_down_pattern_delays()) return;
            start_row();
            row_started_by_last_tick = 1;
            started_row_position = pt_position();
        }
    }
    if (pt_current_row == nullptr) return;
    for (int i = 0; i < pt_channels; i++) {
        // Read afresh every tick: the row may be processed many times (speed 0).
        const PatternCell& cell = pt_current_row[i];
        SoundDriver.select_voice(i);
        if (pt_tick_counter == 0) {
            start_note(i, cell);
            pt_effect_first_tick(i, cell);
        } else {
            pt_effect_other_tick(i, cell);
        }
    }
}

void pt_update_trigger_ages() {
    if (!pt_song_loaded()) return;
    // One write per entry, so the main thread never sees a passing value.
    uint32_t triggered = 0;  // bit s: sample number s was carried by a trigger cell
    if (pt_tick_counter == 0 && pt_current_row != nullptr) {
        for (int i = 0; i < pt_channels; i++) {
            const PatternCell& cell = pt_current_row[i];
            // Deliberately "note index not 0", not "has a note": cells with only a
            // sample number count too, and the beat pulses rely on that.
            if (cell.note != 0 && !is_tone_portamento(cell.effect)) triggered |= 1u << cell.sample;
        }
    }
    for (int s = 0; s < 32; s++) {
        std::atomic<int32_t>& age = pt_trigger_age[s];
        const int32_t value = age.load(std::memory_order_relaxed);
        if (triggered & (1u << s))
            age.store(0, std::memory_order_relaxed);
        else if (value < INT32_MAX)  // saturates instead of wrapping after years of play
            age.store(value + 1, std::memory_order_relaxed);
    }
}

void pt_update_tick_length() {
    if (pt_tempo <= 0) return;  // nothing loaded: keep the tick length as it is
    pt_samples_per_tick = 5512500 / (pt_tempo * 50);
}

int pt_row_started() {
    return row_started_by_last_tick;
}

uint32_t pt_started_row_position() {
    return started_row_position;
}

uint32_t pt_position() {
    const uint32_t row = static_cast<uint32_t>(pt_row.load(std::memory_order_relaxed));
    const uint32_t order = static_cast<uint32_t>(pt_order_index.load(std::memory_order_relaxed));
    return row + 100u * order;
}
