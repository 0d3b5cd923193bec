// The frame's clock and the wait for the song's first row.
#include <gtest/gtest.h>

#include "demo/demo.h"

namespace {

TEST(DemoTime, SecondsSinceTheOriginSurviveTheClockWrapping) {
    const struct { uint32_t origin, clock; float seconds; } cases[] = {
        {1000, 1000, 0.0f},
        {1000, 1016, 0.016f},
        {500, 121700, 121.2f},
        {0xFFFFFF00u, 0x00000100u, 0.512f},  // the 49-day wrap of a 32-bit ms clock
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(demo_seconds_since(c.origin, c.clock), c.seconds) << c.origin << " " << c.clock;
}

TEST(DemoState, StartsWithTheInitialValues) {
    DemoState s;
    s.quit = 7;
    s.kick_level = -3.0f;
    s.end_scene_on = 1;
    s.scene_mark_b = 9.0f;
    demo_state_init(s);
    EXPECT_EQ(s.quit, 0);
    EXPECT_EQ(s.end_scene_on, 0);
    EXPECT_EQ(s.kick_level, 1.0f);
    EXPECT_EQ(s.kick_time, 0.0f);
    EXPECT_EQ(s.scene_mark_a, 0.0f);
    EXPECT_EQ(s.scene_mark_b, 0.0f);
}

// A fake song and clock for the wait: the song reaches its first row after
// `first_row_after` polls; the clock advances 1 ms per reading.
uint32_t fake_ms = 0;
int polls = 0;
int first_row_after = 0;
uint32_t fake_clock() { return fake_ms++; }
uint32_t fake_position() {
    ++polls;
    return first_row_after >= 0 && polls > first_row_after ? 0u : uint32_t(-37);
}

TEST(FirstRow, WaitEndsOnTheFirstTick) {
    for (int after : {0, 1, 1000}) {
        fake_ms = 0xFFFFFF00u;  // also across the clock's wrap
        polls = 0;
        first_row_after = after;
        EXPECT_EQ(demo_wait_first_row(fake_position, fake_clock, 5000), 1) << after;
        EXPECT_EQ(polls, after + 1);
    }
}

TEST(FirstRow, WaitGivesUpWhenTheAudioNeverTicks) {
    fake_ms = 0xFFFFF000u;
    polls = 0;
    first_row_after = -1;  // never
    EXPECT_EQ(demo_wait_first_row(fake_position, fake_clock, 5000), 0);
    EXPECT_GE(polls, 4990);
    EXPECT_LE(polls, 5001);
}

TEST(FirstRow, PositionsUpTo1500CountAsStarted) {
    // Only the huge unsigned reading of a song before its first tick waits.
    for (uint32_t p : {0u, 1u, 1500u}) {
        static uint32_t fixed;
        fixed = p;
        EXPECT_EQ(demo_wait_first_row([] { return fixed; }, fake_clock, 10), 1) << p;
    }
    static uint32_t fixed_late = 1501;
    EXPECT_EQ(demo_wait_first_row([] { return fixed_late; }, fake_clock, 10), 0);
}

}  // namespace
