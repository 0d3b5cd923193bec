// Playback as the production runs it: an audio-like thread renders 4096-frame
// buffers through snd_render (ticking the sequencer) while the main thread
// polls the song position and the trigger ages of the pulse samples without a
// lock, as the frame loop does. Built under ThreadSanitizer it must run with
// no report; in every build the values the main thread sees must be whole.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "player/audio.h"
#include "player/player.h"
#include "tests/fuzz/module_builder.h"

TEST(ThreadedPlayback, MainThreadReadsWhileAudioThreadTicks) {
    ModBuilder m = mod_all_effects();
    m.cell(0, 0, 0, 18, 428, 15, 1);  // one tick per row: many position changes
    std::vector<uint8_t> bytes = m.build();
    snd_open_offline(44100, 4096);
    ASSERT_EQ(pt_load(bytes.data(), bytes.size()), 1) << pt_error();
    snd_clock_reset();

    std::atomic<bool> done{false};
    std::thread audio([&] {
        static int16_t out[4096 * 2];
        for (int i = 0; i < 300; ++i) snd_render(out, 4096);
        done.store(true, std::memory_order_release);
    });

    // The start-up wait: the first tick moves the song from -37 to 0.
    long polls = 0, bad_positions = 0, bad_ages = 0;
    while (!done.load(std::memory_order_acquire)) {
        uint32_t pos = pt_position();
        ++polls;
        // Order index and row may come from two different rows, never from
        // half-written values: order -1..1 of the two-order song, row -1..63
        // (a pattern loop shows the loop row - 1 for the rest of its row).
        int32_t signed_pos = int32_t(pos);
        if (signed_pos < -101 || signed_pos > 163) ++bad_positions;
        for (int s : {18, 19}) {
            // -1 between a trigger and the same tick's increment.
            int32_t age = pt_trigger_age[s].load(std::memory_order_relaxed);
            if (age < -1) ++bad_ages;
        }
    }
    audio.join();
    EXPECT_GT(polls, 0);
    EXPECT_EQ(bad_positions, 0);
    EXPECT_EQ(bad_ages, 0);
    EXPECT_LT(pt_trigger_age[18].load(), 100) << "the kick of every row was never seen";
}
