// The sixteen pattern effects (and the sixteen E sub-effects), one function
// per action, dispatched by effect number on the first tick of a row and on
// its other ticks. Every driver call acts on the voice pt_tick selected.
//
// Audio thread: pt_effect_first_tick and pt_effect_other_tick (and all the
// actions here) run on the audio (or timer) thread. They allocate nothing,
// lock nothing, print nothing and touch no file.
//
// Index: helpers - first-tick actions - other-tick actions - dispatchers.
#include "player/player_state.h"

namespace {

using Cell = PatternCell;

int high_nibble(const Cell& cell) { return cell.param >> 4; }
int low_nibble(const Cell& cell) { return cell.param & 0x0F; }

int clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

int period_of(const PtChannel& ch, int note) { return pt_period_table[ch.finetune][note]; }

bool is_last_tick() { return pt_tick_counter == pt_speed - 1; }

// --- Helpers shared by several effects ---------------------------------------

void volume_slide(PtChannel& ch, const Cell& cell) {
    const int up = high_nibble(cell);
    ch.volume = clamp(up != 0 ? ch.volume + up : ch.volume - low_nibble(cell), 0, 64);
    SoundDriver.set_volume(ch.volume);
}

void portamento_slide(PtChannel& ch) {
    if (ch.period < ch.porta_target) {
        ch.period += ch.porta_speed;
        if (ch.period > ch.porta_target) ch.period = ch.porta_target;
    } else if (ch.period > ch.porta_target) {
        ch.period -= ch.porta_speed;
        if (ch.period < ch.porta_target) ch.period = ch.porta_target;
    }
}

// The nearest note in the channel's finetune row whose period is not below
// the slid period (entry 0 when the period lies above the whole row).
int glissando_period(const PtChannel& ch) {
    for (int k = PT_NO_NOTE; k >= 0; k--)
        if (pt_period_table[ch.finetune][k] >= ch.period) return pt_period_table[ch.finetune][k];
    return pt_period_table[ch.finetune][0];
}

void vibrato_step(PtChannel& ch) {
    // 127, not 128: the deepest vibrato reaches +-30 periods.
    const int delta = pt_waveforms[pt_vibrato_wave][ch.vibrato_pos] * ch.vibrato_depth / 127;
    // A period at or below 0 would make the voice step backwards, so the
    // swing stops at 1; a channel without a pitch yet (period 0) stays still
    // rather than being set moving by the swing alone.
    int period = 0;
    if (ch.period > 0) {
        period = ch.period + delta;
        if (period < 1) period = 1;
    }
    SoundDriver.set_period(period);
    ch.vibrato_pos = (ch.vibrato_pos + ch.vibrato_speed) & 63;
}

void tremolo_step(PtChannel& ch) {
    const int delta = pt_waveforms[pt_tremolo_wave][ch.tremolo_pos] * ch.tremolo_depth / 127;
    ch.tremolo_pos = (ch.tremolo_pos + ch.tremolo_speed) & 63;
    SoundDriver.set_volume(clamp(ch.volume + delta, 0, 64));
}

// Restarts the cell's note now (retrigger, delayed note).
void restart_note(PtChannel& ch, const Cell& cell) {
    ch.period = period_of(ch, cell.note);
    SoundDriver.set_volume(ch.volume);
    SoundDriver.set_period(ch.period);
    SoundDriver.set_position(0);
}

// A tick-counted E sub-effect fires on tick y, or on the row's last tick when
// y is beyond the row, so that it still happens within the row.
bool tick_reached(int y) { return pt_tick_counter == y || (is_last_tick() && y >= pt_speed); }

// --- First-tick actions --------------------------------------------------------

void arpeggio_first(PtChannel& ch, const Cell& cell) {
    if (cell.param != 0) SoundDriver.set_period(period_of(ch, ch.note));
}

void set_panning(PtChannel& ch, const Cell& cell) {
    ch.panning = cell.param;
    SoundDriver.set_panning(cell.param);
}

void sample_offset(const Cell& cell) { SoundDriver.set_position(cell.param * 256u); }

void position_jump(const Cell& cell) {
    // The next row start moves to order p (or to the restart order past the song).
    pt_row.store(63, std::memory_order_relaxed);
    pt_order_index.store(cell.param - 1, std::memory_order_relaxed);
}

void set_volume(PtChannel& ch, const Cell& cell) {
    // Deliberately not limited to 64: C-values up to 255 reach the mixer.
    ch.volume = cell.param;
    SoundDriver.set_volume(cell.param);
}

void pattern_break(const Cell& cell) {
    pt_row.store(63, std::memory_order_relaxed);
    const int row = 10 * high_nibble(cell) + low_nibble(cell);
    // Rows beyond the pattern do not exist: such a break starts the next pattern at its top.
    pt_break_row = row <= 63 ? row : 0;
}

void fine_slide_up(PtChannel& ch) {
    if (ch.period > PT_MIN_PERIOD) SoundDriver.set_period(--ch.period);
}

void fine_slide_down(PtChannel& ch) {
    if (ch.period < PT_MAX_PERIOD) SoundDriver.set_period(++ch.period);
}

void select_vibrato_wave(PtChannel& ch, int y) {
    if (y < 4) ch.vibrato_pos = 0;
    pt_vibrato_wave = y & 3;
}

void select_tremolo_wave(PtChannel& ch, int y) {
    if (y < 4) ch.tremolo_pos = 0;
    pt_tremolo_wave = y & 3;
}

void pattern_loop(PtChannel& ch, int y) {
    const int32_t row = pt_row.load(std::memory_order_relaxed);
    if (y == 0) {
        ch.loop_row = row;
    } else if (ch.loop_count == 0) {
        ch.loop_count = y;
        pt_row.store(ch.loop_row - 1, std::memory_order_relaxed);
    } else if (--ch.loop_count > 0) {
        pt_row.store(ch.loop_row - 1, std::memory_order_relaxed);
    }
}

void channel_panning(int channel, int y) {
    pt_channel_pan[channel] = static_cast<uint8_t>(y);
    SoundDriver.set_panning(y * 16);
}

void fine_volume_up(PtChannel& ch) {
    if (ch.volume < 64) SoundDriver.set_volume(++ch.volume);
}

void fine_volume_down(PtChannel& ch) {
    if (ch.volume > 0) SoundDriver.set_volume(--ch.volume);
}

void speed_or_tempo(const Cell& cell) {
    if (cell.param < 32)
        pt_speed = cell.param;  // 0 included: the row then repeats for ever
    else
        pt_tempo = cell.param;
}

void extended_first(int channel, PtChannel& ch, const Cell& cell) {
    const int y = low_nibble(cell);
    switch (high_nibble(cell)) {
        case 0x1: fine_slide_up(ch);                    break;  // E1y fine slide up
        case 0x2: fine_slide_down(ch);                  break;  // E2y fine slide down
        case 0x3: ch.glissando = y;                     break;  // E3y glissando
        case 0x4: select_vibrato_wave(ch, y);           break;  // E4y vibrato waveform
        case 0x5: ch.finetune = y;                      break;  // E5y finetune
        case 0x6: pattern_loop(ch, y);                  break;  // E6y pattern loop
        case 0x7: select_tremolo_wave(ch, y);           break;  // E7y tremolo waveform
        case 0x8: channel_panning(channel, y);          break;  // E8y panning
        case 0xA: fine_volume_up(ch);                   break;  // EAy fine volume up
        case 0xB: fine_volume_down(ch);                 break;  // EBy fine volume down
        case 0xE: ch.delay_count = y;                   break;  // EEy pattern delay
        default:                                        break;  // E0y, E9y, ECy, EDy, EFy
    }
}

// --- Other-tick actions --------------------------------------------------------

void arpeggio_other(PtChannel& ch, const Cell& cell) {
    if (cell.param == 0) return;
    int note = ch.note;
    switch (pt_tick_counter % 3) {
        case 1: note += high_nibble(cell); break;
        case 2: note += low_nibble(cell);  break;
        default:                           break;
    }
    // The table row ends at entry 84: a chord reaching past it plays its top.
    if (note > PT_NO_NOTE) note = PT_NO_NOTE;
    SoundDriver.set_period(period_of(ch, note));
}

void slide_up(PtChannel& ch, const Cell& cell) {
    ch.period -= cell.param;
    if (ch.period < PT_MIN_PERIOD) ch.period = PT_MIN_PERIOD;
    SoundDriver.set_period(ch.period);
}

void slide_down(PtChannel& ch, const Cell& cell) {
    ch.period += cell.param;
    if (ch.period > PT_MAX_PERIOD) ch.period = PT_MAX_PERIOD;
    SoundDriver.set_period(ch.period);
}

void tone_portamento(PtChannel& ch, const Cell& cell) {
    if (cell.param != 0) ch.porta_speed = cell.param;
    portamento_slide(ch);
    SoundDriver.set_period(ch.glissando != 0 ? glissando_period(ch) : ch.period);
}

void vibrato(PtChannel& ch, const Cell& cell) {
    if (low_nibble(cell) != 0) ch.vibrato_depth = low_nibble(cell);
    if (high_nibble(cell) != 0) ch.vibrato_speed = high_nibble(cell);
    vibrato_step(ch);
}

void portamento_volume_slide(PtChannel& ch, const Cell& cell) {
    portamento_slide(ch);
    SoundDriver.set_period(ch.period);
    volume_slide(ch, cell);
}

void vibrato_volume_slide(PtChannel& ch, const Cell& cell) {
    vibrato_step(ch);
    volume_slide(ch, cell);
}

void tremolo(PtChannel& ch, const Cell& cell) {
    if (low_nibble(cell) != 0) ch.tremolo_depth = 2 * low_nibble(cell);
    if (high_nibble(cell) != 0) ch.tremolo_speed = high_nibble(cell);
    tremolo_step(ch);
}

void retrigger(PtChannel& ch, const Cell& cell) {
    const int y = low_nibble(cell);
    if (y != 0 && cell.note < PT_NO_NOTE && pt_tick_counter % y == 0) restart_note(ch, cell);
}

void note_cut(const Cell& cell) {
    // The stored volume stays: a later volume effect continues from it.
    if (tick_reached(low_nibble(cell))) SoundDriver.set_volume(0);
}

void note_delay(PtChannel& ch, const Cell& cell) {
    if (cell.note < PT_NO_NOTE && tick_reached(low_nibble(cell))) {
        ch.note = cell.note;
        restart_note(ch, cell);
    }
}

void extended_other(PtChannel& ch, const Cell& cell) {
    switch (high_nibble(cell)) {
        case 0x9: retrigger(ch, cell);                  break;  // E9y retrigger
        case 0xC: note_cut(cell);                       break;  // ECy note cut
        case 0xD: note_delay(ch, cell);                 break;  // EDy note delay
        default:                                        break;  // the rest act on tick 0 only
    }
}

}  // namespace

// --- Dispatchers ----------------------------------------------------------------

void pt_effect_first_tick(int channel, const PatternCell& cell) {
    PtChannel& ch = pt_chan[channel];
    switch (cell.effect) {
        case 0x0: arpeggio_first(ch, cell);             break;  // 0xy arpeggio
        case 0x8: set_panning(ch, cell);                break;  // 8xx panning
        case 0x9: sample_offset(cell);                  break;  // 9xx sample offset
        case 0xB: position_jump(cell);                  break;  // Bxx position jump
        case 0xC: set_volume(ch, cell);                 break;  // Cxx volume
        case 0xD: pattern_break(cell);                  break;  // Dxy pattern break
        case 0xE: extended_first(channel, ch, cell);    break;  // Exy extended
        case 0xF: speed_or_tempo(cell);                 break;  // Fxx speed / tempo
        default:                                        break;  // 1..7, A: other ticks only
    }
}

void pt_effect_other_tick(int channel, const PatternCell& cell) {
    PtChannel& ch = pt_chan[channel];
    switch (cell.effect) {
        case 0x0: arpeggio_other(ch, cell);             break;  // 0xy arpeggio
        case 0x1: slide_up(ch, cell);                   break;  // 1xx slide up
        case 0x2: slide_down(ch, cell);                 break;  // 2xx slide down
        case 0x3: tone_portamento(ch, cell);            break;  // 3xx tone portamento
        case 0x4: vibrato(ch, cell);                    break;  // 4xy vibrato
        case 0x5: portamento_volume_slide(ch, cell);    break;  // 5xy portamento + volume slide
        case 0x6: vibrato_volume_slide(ch, cell);       break;  // 6xy vibrato + volume slide
        case 0x7: tremolo(ch, cell);                    break;  // 7xy tremolo
        case 0xA: volume_slide(ch, cell);               break;  // Axy volume slide
        case 0xE: extended_other(ch, cell);             break;  // Exy extended
        default:                                        break;  // 8, 9, B, C, D, F: first tick only
    }
}
