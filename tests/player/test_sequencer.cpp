#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "tests/player/player_fixture.h"

namespace {

using Calls = std::vector<std::string>;

void run_ticks(int n) {
    for (int i = 0; i < n; i++) {
        pt_tick();
        pt_update_trigger_ages();
    }
}

ModuleBuilder two_channel_song() {
    ModuleBuilder mod;
    mod.tag = "2CHN";
    mod.channels = 2;
    mod.samples[1] = {16, 0, 40, 0, 0};
    mod.samples[2] = {16, 3, 20, 0, 0};
    mod.samples[18] = {16, 0, 64, 0, 0};
    return mod;
}

}  // namespace

// The mixer relies on this order: the sample and its loudness reach the
// voice before the pitch and the restart.
TEST(Sequencer, FirstTickCallsComeInTheDocumentedOrder) {
    ModuleBuilder mod = two_channel_song();
    mod.cell(0, 0, 0, 1, 428);            // sample, note, effect 0
    mod.cell(0, 0, 1, 2, 0, 0, 0);        // sample only: new data, no restart
    mod.cell(0, 1, 0, 1, 428, 8, 0x80);   // 8xx: only the effect's panning
    mod.cell(0, 1, 1, 2, 428, 12, 0x30);  // Cxx: only the effect's volume
    mod.cell(0, 2, 0, 1, 428, 9, 0x02);   // 9xx: the offset replaces position 0
    mod.cell(0, 2, 1, 0, 428, 0, 0);      // note without sample: previous sample's finetune
    ASSERT_TRUE(load_module(mod));
    EXPECT_EQ(tick_calls(true), (Calls{"voice 0", "volume 40", "pan 0", "sample 1", "period 428", "pos 0",
                                       "voice 1", "volume 20", "pan 240", "sample 2"}));
    EXPECT_EQ(tick_calls(true), (Calls{"voice 0", "voice 1"}));
    run_ticks(4);
    EXPECT_EQ(tick_calls(true), (Calls{"voice 0", "volume 40", "sample 1", "period 428", "pos 0", "pan 128",
                                       "voice 1", "pan 240", "sample 2", "period 419", "pos 0", "volume 48"}));
    run_ticks(5);
    EXPECT_EQ(tick_calls(true), (Calls{"voice 0", "volume 40", "pan 0", "sample 1", "period 428", "pos 512",
                                       "voice 1", "period 419", "pos 0"}));
}

TEST(Sequencer, PositionRunsRowsAndOrders) {
    ModuleBuilder mod = two_channel_song();
    mod.song_length = 2;
    mod.orders[1] = 1;
    ASSERT_TRUE(load_module(mod));
    EXPECT_EQ(pt_position(), 4294967259u);
    run_ticks(1);
    EXPECT_EQ(pt_position(), 0u);
    run_ticks(5);
    EXPECT_EQ(pt_position(), 0u);
    run_ticks(1);
    EXPECT_EQ(pt_position(), 1u);
    run_ticks(62 * 6);
    EXPECT_EQ(pt_position(), 63u);
    run_ticks(6);
    EXPECT_EQ(pt_position(), 100u);
    EXPECT_EQ(pt_current_pattern, 1);
    run_ticks(64 * 6);
    EXPECT_EQ(pt_position(), 0u) << "after the last order comes the restart order";
}

TEST(Sequencer, RestartOrderAfterTheLastOrder) {
    struct Case { uint8_t song_length, restart; int32_t order_after_last; };
    const Case cases[] = {{1, 0, 0}, {3, 200, 0}, {3, 1, 1}, {3, 126, 126}};
    for (const Case& c : cases) {
        ModuleBuilder mod = two_channel_song();
        mod.song_length = c.song_length;
        mod.restart = c.restart;
        ASSERT_TRUE(load_module(mod));
        run_ticks(1 + 64 * 6 * c.song_length - 6);
        EXPECT_EQ(pt_position(), 100u * (c.song_length - 1) + 63) << int(c.song_length);
        run_ticks(6);
        EXPECT_EQ(pt_order_index.load(), c.order_after_last) << int(c.restart);
        EXPECT_EQ(pt_row.load(), 0);
    }
}

TEST(Sequencer, TickLengthFollowsTheTempo) {
    struct Case { int32_t tempo, frames; };
    const Case cases[] = {{125, 882}, {32, 3445}, {255, 432}, {0, 432}, {-5, 432}};
    for (const Case& c : cases) {
        pt_tempo = c.tempo;
        pt_update_tick_length();
        EXPECT_EQ(pt_samples_per_tick, c.frames) << "tempo " << c.tempo << " keeps the last length if not valid";
    }
}

TEST(Sequencer, PatternDelayRepeatsTheRowWithoutItsFirstTick) {
    ModuleBuilder mod = two_channel_song();
    mod.cell(0, 0, 0, 18, 428, 14, 0xE2);  // EE2
    mod.cell(0, 0, 1, 1, 0, 10, 0x00);     // A00: other-tick work to count, volume stays 40
    mod.cell(0, 1, 0, 2, 428);
    ASSERT_TRUE(load_module(mod));
    int first_ticks = 0, other_ticks = 0, silent_ticks = 0, ticks_in_row = 0;
    while (true) {
        Calls calls = tick_calls(true);
        if (pt_position() != 0) break;
        ticks_in_row++;
        if (calls.empty()) {
            silent_ticks++;
            EXPECT_EQ(pt_trigger_age[18].load(), 0) << "a delay tick counts as a trigger again";
        } else if (std::find(calls.begin(), calls.end(), "sample 18") != calls.end()) {
            first_ticks++;
        } else {
            EXPECT_EQ(calls, (Calls{"voice 0", "voice 1", "volume 40"}));
            other_ticks++;
        }
    }
    EXPECT_EQ(ticks_in_row, 18);
    EXPECT_EQ(first_ticks, 1);
    EXPECT_EQ(silent_ticks, 2);
    EXPECT_EQ(other_ticks, 15);
}

TEST(Sequencer, SpeedZeroFreezesTheRowAndRestartsItsNotes) {
    ModuleBuilder mod = two_channel_song();
    mod.cell(0, 3, 0, 1, 428, 15, 0x00);
    ASSERT_TRUE(load_module(mod));
    run_ticks(1 + 3 * 6);
    EXPECT_EQ(pt_position(), 3u);
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(tick_calls(), (Calls{"volume 40", "pan 0", "sample 1", "period 428", "pos 0"}));
        EXPECT_EQ(pt_position(), 3u);
        EXPECT_EQ(pt_trigger_age[1].load(), 0);
    }
}

// The beat pulses read these ages: the reset rule is by sample number and by
// "note index not 0", tone portamento excepted.
TEST(Sequencer, TriggerAgesResetByTheCellsOfARow) {
    struct Case { const char* what; int sample, period, effect, param; int32_t age_after_row; };
    const Case cases[] = {
        {"note",                   18, 428, 0, 0,    5},
        {"sample without note",    18, 0,   0, 0,    5},
        {"note at index 0",        18, 3424, 0, 0,   -1},
        {"tone portamento",        18, 428, 3, 0x10, -1},
        {"portamento + slide",     18, 428, 5, 0x01, -1},
        {"note delay",             18, 428, 14, 0xD3, 5},
        {"no sample: entry 0",     0,  428, 0, 0,    -1},
    };
    for (const Case& c : cases) {
        ModuleBuilder mod = two_channel_song();
        mod.cell(0, 0, 1, c.sample, c.period, c.effect, c.param);
        ASSERT_TRUE(load_module(mod));
        for (auto& age : pt_trigger_age) age.store(1000);
        run_ticks(1);
        const int32_t first = pt_trigger_age[18].load();
        run_ticks(5);
        const int32_t expected = c.age_after_row < 0 ? 1006 : c.age_after_row;
        EXPECT_EQ(pt_trigger_age[18].load(), expected) << c.what;
        EXPECT_EQ(first, expected - 5) << c.what;
        // Every row of the empty channel 0 carries sample 0 without a note.
        EXPECT_EQ(pt_trigger_age[0].load(), 5) << c.what;
    }
}

TEST(Sequencer, TriggerAgesSaturateInsteadOfWrapping) {
    ASSERT_TRUE(load_module(two_channel_song()));
    pt_trigger_age[7].store(INT32_MAX - 1);
    run_ticks(3);
    EXPECT_EQ(pt_trigger_age[7].load(), INT32_MAX);
    pt_trigger_age[7].store(999999);
}

// Bxx moves the order index outside the song; a later channel's E6y then
// keeps the row from reaching 64. The next row must still land in the song.
TEST(Sequencer, OrderIndexOutsideTheSongFallsBackToTheRestartOrder) {
    struct Case { int jump; };
    const Case cases[] = {{0x00}, {0xFF}, {0x80}};
    for (const Case& c : cases) {
        ModuleBuilder mod = two_channel_song();
        mod.song_length = 2;
        mod.restart = 1;
        mod.orders[1] = 1;
        mod.cell(0, 0, 1, 0, 0, 14, 0x60);
        mod.cell(0, 5, 0, 0, 0, 11, c.jump);
        mod.cell(0, 5, 1, 0, 0, 14, 0x61);
        ASSERT_TRUE(load_module(mod));
        run_ticks(1 + 5 * 6 + 6);
        EXPECT_EQ(pt_order_index.load(), 1) << c.jump;
        EXPECT_EQ(pt_row.load(), 0) << c.jump;
    }
}

// The main thread reads the position and the ages while the audio thread
// ticks. Under the thread-sanitizer build (ZK_TSAN) this shows any access
// that is not race-free; in every build it checks that no read is torn into
// something the song never held (a row pairs at worst with the previous order)
// and that an age never shows a passing value below 0.
TEST(Sequencer, PositionAndAgesReadWhileTicking) {
    ModuleBuilder mod = two_channel_song();
    mod.song_length = 3;
    mod.orders[1] = 1;
    mod.orders[2] = 2;
    mod.cell(0, 0, 0, 18, 428);
    mod.cell(0, 0, 1, 0, 0, 15, 0x01);  // one tick per row: many order changes
    mod.cell(1, 0, 1, 0, 0, 15, 0x01);
    mod.cell(2, 0, 1, 0, 0, 15, 0x01);
    ASSERT_TRUE(load_module(mod));
    SoundDriver = {};
    SoundDriver.select_voice = [](int) {};
    SoundDriver.set_sample = [](int) {};
    SoundDriver.set_period = [](int) {};
    SoundDriver.set_volume = [](int) {};
    SoundDriver.set_panning = [](int) {};
    SoundDriver.set_position = [](uint32_t) {};
    pt_tick();
    std::atomic<bool> done{false};
    std::atomic<int> bad_reads{0};
    std::thread reader([&] {
        while (!done.load()) {
            const int32_t position = static_cast<int32_t>(pt_position());
            if (position < -100 || position > 263 || position % 100 > 63) bad_reads++;
            if (pt_trigger_age[18].load(std::memory_order_relaxed) < 0) bad_reads++;
        }
    });
    for (int i = 0; i < 200000; i++) {
        pt_tick();
        pt_update_trigger_ages();
    }
    done.store(true);
    reader.join();
    EXPECT_EQ(bad_reads.load(), 0);
}

TEST(Sequencer, NewSamplesTakeTheChannelsDefaultPanning) {
    ModuleBuilder mod;
    mod.tag = "12CH";
    mod.channels = 12;
    mod.samples[1] = {16, 0, 40, 0, 0};
    for (int c = 0; c < 12; c++) mod.cell(0, 0, c, 1, 0);
    ASSERT_TRUE(load_module(mod));
    Calls pans;
    for (const std::string& call : tick_calls())
        if (call.rfind("pan ", 0) == 0) pans.push_back(call);
    EXPECT_EQ(pans, (Calls{"pan 0", "pan 240", "pan 0", "pan 240", "pan 112", "pan 144", "pan 144", "pan 112",
                           "pan 112", "pan 144", "pan 144", "pan 112"}));
}
