#include <gtest/gtest.h>

#include "tests/player/player_fixture.h"

namespace {

using Calls = std::vector<std::string>;

struct Cell {
    int sample, period, effect, param;
};

// The calls that channel 0 makes, without its select_voice.
Calls channel0(const Calls& calls) {
    Calls out;
    bool in_channel0 = false;
    for (const std::string& call : calls) {
        if (call.rfind("voice ", 0) == 0) {
            in_channel0 = call == "voice 0";
            continue;
        }
        if (in_channel0) out.push_back(call);
    }
    return out;
}

ModuleBuilder song_with_rows(const std::vector<Cell>& rows) {
    ModuleBuilder mod;
    mod.tag = "2CHN";
    mod.channels = 2;
    mod.samples[1] = {16, 0, 40, 0, 0};
    mod.samples[2] = {16, 0, 20, 0, 0};
    for (size_t r = 0; r < rows.size(); r++)
        mod.cell(0, static_cast<int>(r), 0, rows[r].sample, rows[r].period, rows[r].effect, rows[r].param);
    return mod;
}

// Plays the rows at speed 6 and returns channel 0's calls on each tick of the last one.
std::vector<Calls> ticks_of_last_row(const std::vector<Cell>& rows) {
    EXPECT_TRUE(load_module(song_with_rows(rows)));
    for (size_t i = 0; i < 6 * (rows.size() - 1); i++) tick_calls();
    std::vector<Calls> ticks;
    for (int t = 0; t < 6; t++) {
        driver_calls.clear();
        pt_tick();
        pt_update_trigger_ages();
        ticks.push_back(channel0(driver_calls));
    }
    return ticks;
}

const Calls NOTE_428 = {"volume 40", "pan 0", "sample 1", "period 428", "pos 0"};
const Calls NONE = {};

struct EffectCase {
    const char* what;
    std::vector<Cell> rows;     // channel 0, rows 0..n-1
    std::vector<Calls> ticks;   // the last row, ticks 0..5
};

}  // namespace

TEST(Effects, EachEffectOnFirstAndOtherTicks) {
    const Calls start_856 = {"volume 40", "pan 0", "sample 1", "period 856", "pos 0"};
    const EffectCase cases[] = {
        {"0xy arpeggio 37 on note 24", {{1, 856, 0x0, 0x37}},
         {{"volume 40", "pan 0", "sample 1", "period 856", "pos 0", "period 856"},
          {"period 720"}, {"period 570"}, {"period 856"}, {"period 720"}, {"period 570"}}},
        {"000 is no arpeggio", {{1, 428, 0x0, 0x00}}, {NOTE_428, NONE, NONE, NONE, NONE, NONE}},
        {"arpeggio past the row plays its top entry", {{1, 40, 0x0, 0xF1}},
         {{"volume 40", "pan 0", "sample 1", "period 40", "pos 0", "period 40"},
          {"period 28"}, {"period 37"}, {"period 40"}, {"period 28"}, {"period 37"}}},
        {"1xx stops at 27", {{1, 30, 0x1, 0x0A}},
         {{"volume 40", "pan 0", "sample 1", "period 30", "pos 0"},
          {"period 27"}, {"period 27"}, {"period 27"}, {"period 27"}, {"period 27"}}},
        {"2xx stops at 3628", {{1, 3424, 0x2, 0xC4}},
         {{"volume 40", "pan 0", "sample 1", "period 3424", "pos 0"},
          {"period 3620"}, {"period 3628"}, {"period 3628"}, {"period 3628"}, {"period 3628"}}},
        {"3xx slides to the target and stays", {{1, 428, 0, 0}, {0, 404, 0x3, 0x10}},
         {NONE, {"period 412"}, {"period 404"}, {"period 404"}, {"period 404"}, {"period 404"}}},
        {"3xx with a sample: no restart", {{1, 428, 0, 0}, {2, 404, 0x3, 0x10}},
         {{"volume 20", "pan 0", "sample 2"}, {"period 412"}, {"period 404"}, {"period 404"}, {"period 404"},
          {"period 404"}}},
        {"300 keeps the speed of the last 3xx", {{1, 428, 0, 0}, {0, 404, 0x3, 0x08}, {0, 428, 0x3, 0x00}},
         {NONE, {"period 412"}, {"period 420"}, {"period 428"}, {"period 428"}, {"period 428"}}},
        {"4xy sine vibrato", {{1, 428, 0x4, 0x48}},
         {NOTE_428, {"period 428"}, {"period 434"}, {"period 439"}, {"period 442"}, {"period 444"}}},
        {"4xy square at depth 15 reaches -30", {{1, 428, 0xE, 0x42}, {0, 0, 0x4, 0xCF}},
         {NONE, {"period 428"}, {"period 428"}, {"period 458"}, {"period 428"}, {"period 398"}}},
        {"vibrato never sends a period below 1", {{1, 28, 0xE, 0x42}, {0, 0, 0x4, 0xCF}},
         {NONE, {"period 28"}, {"period 28"}, {"period 58"}, {"period 28"}, {"period 1"}}},
        {"vibrato without a pitch stays still", {{1, 0, 0xE, 0x42}, {0, 0, 0x4, 0xCF}},
         {NONE, {"period 0"}, {"period 0"}, {"period 0"}, {"period 0"}, {"period 0"}}},
        {"5xy slides with the stored speed", {{1, 428, 0, 0}, {0, 404, 0x3, 0x10}, {0, 360, 0x5, 0x02}},
         {NONE, {"period 388", "volume 38"}, {"period 372", "volume 36"}, {"period 360", "volume 34"},
          {"period 360", "volume 32"}, {"period 360", "volume 30"}}},
        {"6xy vibrates with the stored depth", {{1, 428, 0x4, 0x48}, {0, 0, 0x6, 0x10}},
         {NONE, {"period 442", "volume 41"}, {"period 439", "volume 42"}, {"period 434", "volume 43"},
          {"period 428", "volume 44"}, {"period 422", "volume 45"}}},
        {"7xy sine tremolo", {{1, 428, 0x7, 0x48}},
         {NOTE_428, {"volume 40"}, {"volume 52"}, {"volume 62"}, {"volume 64"}, {"volume 64"}}},
        {"8xx panning replaces the sample's", {{1, 428, 0x8, 0x42}},
         {{"volume 40", "sample 1", "period 428", "pos 0", "pan 66"}, NONE, NONE, NONE, NONE, NONE}},
        {"9xx offset replaces position 0", {{1, 428, 0x9, 0x10}},
         {{"volume 40", "pan 0", "sample 1", "period 428", "pos 4096"}, NONE, NONE, NONE, NONE, NONE}},
        {"9xx without a note", {{1, 428, 0, 0}, {0, 0, 0x9, 0x00}}, {{"pos 0"}, NONE, NONE, NONE, NONE, NONE}},
        {"A31 raises by 3", {{1, 428, 0xA, 0x31}},
         {NOTE_428, {"volume 43"}, {"volume 46"}, {"volume 49"}, {"volume 52"}, {"volume 55"}}},
        {"A0F lowers by 15 down to 0", {{2, 428, 0xA, 0x0F}},
         {{"volume 20", "pan 0", "sample 2", "period 428", "pos 0"},
          {"volume 5"}, {"volume 0"}, {"volume 0"}, {"volume 0"}, {"volume 0"}}},
        {"C50 sends 80, then A01 stores 64 (79 limited)", {{1, 428, 0xC, 0x50}, {0, 0, 0xA, 0x01}},
         {NONE, {"volume 64"}, {"volume 63"}, {"volume 62"}, {"volume 61"}, {"volume 60"}}},
        {"Cxx replaces the sample's volume", {{1, 428, 0xC, 0x50}},
         {{"pan 0", "sample 1", "period 428", "pos 0", "volume 80"}, NONE, NONE, NONE, NONE, NONE}},
        {"E1y moves by one whatever y", {{1, 428, 0xE, 0x1F}},
         {{"volume 40", "pan 0", "sample 1", "period 428", "pos 0", "period 427"}, NONE, NONE, NONE, NONE, NONE}},
        {"E1y stops at 27", {{1, 28, 0xE, 0x11}, {0, 0, 0xE, 0x11}}, {NONE, NONE, NONE, NONE, NONE, NONE}},
        {"E2y moves by one whatever y", {{1, 428, 0xE, 0x2F}},
         {{"volume 40", "pan 0", "sample 1", "period 428", "pos 0", "period 429"}, NONE, NONE, NONE, NONE, NONE}},
        {"E2y stops at 3628", {{1, 3424, 0x2, 0xFF}, {0, 0, 0xE, 0x21}}, {NONE, NONE, NONE, NONE, NONE, NONE}},
        {"E5y sets the finetune of later look-ups", {{1, 856, 0xE, 0x58}, {0, 0, 0x0, 0x10}},
         {{"period 907"}, {"period 856"}, {"period 907"}, {"period 907"}, {"period 856"}, {"period 907"}}},
        {"E8y panning", {{1, 428, 0xE, 0x85}},
         {{"volume 40", "pan 0", "sample 1", "period 428", "pos 0", "pan 80"}, NONE, NONE, NONE, NONE, NONE}},
        {"E92 retriggers every second tick", {{1, 428, 0x1, 0x01}, {0, 404, 0xE, 0x92}},
         {{"period 404", "pos 0"}, NONE, {"volume 40", "period 404", "pos 0"}, NONE,
          {"volume 40", "period 404", "pos 0"}, NONE}},
        {"E93 without a note does nothing", {{1, 428, 0, 0}, {0, 0, 0xE, 0x93}}, {NONE, NONE, NONE, NONE, NONE, NONE}},
        {"EAy raises by one", {{2, 428, 0xE, 0xA7}},
         {{"volume 20", "pan 0", "sample 2", "period 428", "pos 0", "volume 21"}, NONE, NONE, NONE, NONE, NONE}},
        {"EAy stops at 64", {{1, 428, 0xC, 0x40}, {0, 0, 0xE, 0xA1}}, {NONE, NONE, NONE, NONE, NONE, NONE}},
        {"EBy lowers by one", {{2, 428, 0xE, 0xB7}},
         {{"volume 20", "pan 0", "sample 2", "period 428", "pos 0", "volume 19"}, NONE, NONE, NONE, NONE, NONE}},
        {"EBy stops at 0", {{1, 428, 0xC, 0x00}, {0, 0, 0xE, 0xB1}}, {NONE, NONE, NONE, NONE, NONE, NONE}},
        {"EC3 cuts on tick 3", {{1, 428, 0xE, 0xC3}}, {NOTE_428, NONE, NONE, {"volume 0"}, NONE, NONE}},
        {"EC9 cuts on the last tick", {{1, 428, 0xE, 0xC9}}, {NOTE_428, NONE, NONE, NONE, NONE, {"volume 0"}}},
        {"EC0 never cuts", {{1, 428, 0xE, 0xC0}}, {NOTE_428, NONE, NONE, NONE, NONE, NONE}},
        {"note cut keeps the stored volume", {{1, 428, 0xE, 0xC1}, {0, 0, 0xA, 0x10}},
         {NONE, {"volume 41"}, {"volume 42"}, {"volume 43"}, {"volume 44"}, {"volume 45"}}},
        {"ED3 starts the note on tick 3", {{1, 428, 0xE, 0xD3}},
         {{"volume 40", "pan 0", "sample 1"}, NONE, NONE, {"volume 40", "period 428", "pos 0"}, NONE, NONE}},
        {"ED9 starts the note on the last tick", {{1, 428, 0xE, 0xD9}},
         {{"volume 40", "pan 0", "sample 1"}, NONE, NONE, NONE, NONE, {"volume 40", "period 428", "pos 0"}}},
        {"ED0 never starts its note", {{1, 428, 0xE, 0xD0}},
         {{"volume 40", "pan 0", "sample 1"}, NONE, NONE, NONE, NONE, NONE}},
        {"E0y and EFy do nothing", {{1, 428, 0xE, 0x05}, {0, 0, 0xE, 0xF5}}, {NONE, NONE, NONE, NONE, NONE, NONE}},
    };
    for (const EffectCase& c : cases) {
        EXPECT_EQ(ticks_of_last_row(c.rows), c.ticks) << c.what;
        pt_chan[0].glissando = 0;
        pt_channel_pan[0] = 0;
    }
}

TEST(Effects, GlissandoSendsTheNearestNoteNotBelowThePeriod) {
    const std::vector<Calls> ticks =
        ticks_of_last_row({{1, 428, 0xE, 0x31}, {0, 360, 0x3, 0x10}});
    EXPECT_EQ(ticks, (std::vector<Calls>{NONE, {"period 428"}, {"period 404"}, {"period 381"}, {"period 381"},
                                         {"period 360"}}));
    EXPECT_EQ(pt_chan[0].period, 360);
    // Loading keeps the flag: it belongs to the channel, not to the song.
    ASSERT_TRUE(load_module(song_with_rows({})));
    EXPECT_EQ(pt_chan[0].glissando, 1);
    pt_chan[0].glissando = 0;
}

TEST(Effects, WaveformSelectionIsGlobalAndMayKeepThePosition) {
    struct Case { int param; int32_t wave; bool resets; };
    const Case cases[] = {
        {0x40, PT_WAVE_SINE, true},  {0x41, PT_WAVE_RAMP, true},   {0x42, PT_WAVE_SQUARE, true},
        {0x43, PT_WAVE_RANDOM, true}, {0x45, PT_WAVE_RAMP, false}, {0x4F, PT_WAVE_RANDOM, false},
    };
    for (const Case& c : cases) {
        for (int which = 0; which < 2; which++) {  // E4y vibrato, E7y tremolo
            const int modulate = which == 0 ? 0x4 : 0x7;
            const int select = which == 0 ? c.param : c.param + 0x30;
            ticks_of_last_row({{1, 428, modulate, 0x5F}, {0, 0, 0xE, select}});
            const int32_t wave = which == 0 ? pt_vibrato_wave : pt_tremolo_wave;
            const int32_t pos = which == 0 ? pt_chan[0].vibrato_pos : pt_chan[0].tremolo_pos;
            EXPECT_EQ(wave, c.wave) << std::hex << select;
            EXPECT_EQ(pos, c.resets ? 0 : (5 * 5) & 63) << std::hex << select;
        }
    }
}

TEST(Effects, RampAndRandomWaveformsAreFilledOnReset) {
    ASSERT_TRUE(load_module(song_with_rows({})));
    for (int i = 0; i < 64; i++) {
        EXPECT_EQ(pt_waveforms[PT_WAVE_RAMP][i], 255 - 8 * i);
        EXPECT_GE(pt_waveforms[PT_WAVE_RANDOM][i], -256);
        EXPECT_LE(pt_waveforms[PT_WAVE_RANDOM][i], 254);
    }
    EXPECT_EQ(pt_waveforms[PT_WAVE_SINE][16], 255);
    EXPECT_EQ(pt_waveforms[PT_WAVE_SINE][48], -255);
    EXPECT_EQ(pt_waveforms[PT_WAVE_SQUARE][16], 255);
    EXPECT_EQ(pt_waveforms[PT_WAVE_SQUARE][48], -256);
}

TEST(Effects, PatternLoopPlaysItsRowsYPlusOneTimes) {
    ModuleBuilder mod = song_with_rows({});
    mod.cell(0, 4, 1, 0, 0, 0xE, 0x60);
    mod.cell(0, 10, 1, 0, 0, 0xE, 0x62);
    ASSERT_TRUE(load_module(mod));
    std::vector<int32_t> rows;
    for (int r = 0; r < 4 + 3 * 7 + 2; r++) {
        pt_tick();
        rows.push_back(pt_current_row - pt_patterns[0]);
        for (int t = 1; t < 6; t++) pt_tick();
    }
    std::vector<int32_t> expected = {0, 1, 2, 3};
    for (int pass = 0; pass < 3; pass++)
        for (int r = 4; r <= 10; r++) expected.push_back(r);
    expected.push_back(11);
    expected.push_back(12);
    for (int32_t& r : rows) r /= 2;  // cells -> rows (two channels)
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(pt_chan[1].loop_count, 0);
}

TEST(Effects, JumpsAndBreaksChooseTheNextRow) {
    struct Case { const char* what; int effect, param; int32_t order, row; };
    const Case cases[] = {
        {"B02 jumps to order 2",              0xB, 0x02, 2, 0},
        {"B07 beyond the song: restart",      0xB, 0x07, 1, 0},
        {"D32 breaks to row 32",              0xD, 0x32, 1, 32},
        {"D63 breaks to the last row",        0xD, 0x63, 1, 63},
        {"D70 beyond the pattern: row 0",     0xD, 0x70, 1, 0},
        {"DFF beyond the pattern: row 0",     0xD, 0xFF, 1, 0},
    };
    for (const Case& c : cases) {
        ModuleBuilder mod = song_with_rows({});
        mod.song_length = 3;
        mod.restart = 1;
        mod.orders[1] = 1;
        mod.orders[2] = 2;
        mod.cell(0, 5, 1, 0, 0, c.effect, c.param);
        ASSERT_TRUE(load_module(mod));
        for (int i = 0; i < 1 + 5 * 6; i++) pt_tick();
        EXPECT_EQ(pt_row.load(), 63) << c.what << ": shown for the rest of the row";
        for (int i = 0; i < 6; i++) pt_tick();
        EXPECT_EQ(pt_order_index.load(), c.order) << c.what;
        EXPECT_EQ(pt_row.load(), c.row) << c.what;
    }
}

TEST(Effects, SpeedAndTempo) {
    struct Case { int param; int32_t speed, tempo; };
    const Case cases[] = {{0x01, 1, 125}, {0x03, 3, 125}, {0x1F, 31, 125}, {0x20, 6, 32}, {0xFF, 6, 255}};
    for (const Case& c : cases) {
        ModuleBuilder mod = song_with_rows({{0, 0, 0xF, c.param}});
        ASSERT_TRUE(load_module(mod));
        pt_tick();
        EXPECT_EQ(pt_speed, c.speed) << c.param;
        EXPECT_EQ(pt_tempo, c.tempo) << c.param;
        // The new speed counts from the next tick: row 1 starts after `speed` ticks.
        for (int t = 1; t < c.speed; t++) pt_tick();
        EXPECT_EQ(pt_position(), 0u);
        pt_tick();
        EXPECT_EQ(pt_position(), 1u);
    }
}
