// The timeline's pure parts: which scene and which sub-window a position
// selects, the greeting numbers, the star-grid size, the kick of scene 4,
// the closing wipe of scene 7 and the end of the production.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "demo/demo.h"

namespace {

uint32_t pos(int order, int row) { return uint32_t(order * 100 + row); }

TEST(SceneWindows, EveryBoundaryFallsOnTheRightSide) {
    const struct { uint32_t p; int scene; } cases[] = {
        {0, 1},     {60, 1},    {99, 1},    {100, 2},  {163, 2},  {199, 2},
        {200, 3},   {263, 3},   {300, 4},   {563, 4},  {599, 4},  {600, 5},
        {763, 5},   {863, 5},   {899, 5},   {900, 6},  {1163, 6}, {1199, 6},
        {1200, 7},  {1549, 7},  {1550, 7},  {0xFFFFFFFFu, 7},
    };
    for (const auto& c : cases) EXPECT_EQ(demo_scene_at(c.p), c.scene) << "position " << c.p;
}

TEST(AnimalWindows, NineAnimalsEachInFrontOfThePreviousOne) {
    const struct {
        uint32_t first, last;
        int w, v;
        float fx, fy, wx, wy;
    } table[] = {
        {pos(3, 0),  pos(3, 31), 0, 10,  0.6f,  0.8f,  2.0f,  1.5f},
        {pos(3, 32), pos(3, 47), 1, 0,  -0.9f, -0.7f, -1.0f, -1.5f},
        {pos(3, 48), pos(3, 63), 2, 1,  -0.9f, -0.7f, -1.0f, -1.5f},
        {pos(4, 0),  pos(4, 31), 3, 2,  -0.9f,  0.8f, -1.0f,  1.5f},
        {pos(4, 32), pos(4, 47), 4, 3,   0.6f,  0.8f,  2.0f,  1.5f},
        {pos(4, 48), pos(4, 63), 5, 4,   0.6f, -0.7f,  2.0f, -1.5f},
        {pos(5, 0),  pos(5, 31), 6, 5,   0.6f, -0.7f,  2.0f, -1.5f},
        {pos(5, 32), pos(5, 47), 7, 6,   0.6f,  0.8f,  2.0f,  1.5f},
        {pos(5, 48), pos(5, 63), 8, 7,  -1.2f, -0.7f, -0.5f, -1.5f},
    };
    for (const auto& row : table) {
        for (uint32_t p : {row.first, (row.first + row.last) / 2, row.last}) {
            const DemoAnimalWindow& w = demo_animal_window(p);
            EXPECT_EQ(w.animal, row.w) << "position " << p;
            EXPECT_EQ(w.back_picture, row.v) << "position " << p;
            EXPECT_EQ(w.figure_x, row.fx) << "position " << p;
            EXPECT_EQ(w.figure_y, row.fy) << "position " << p;
            EXPECT_EQ(w.word_x, row.wx) << "position " << p;
            EXPECT_EQ(w.word_y, row.wy) << "position " << p;
        }
    }
    // Rows 64..99 of an order never occur; they belong to the last window of the order.
    EXPECT_EQ(demo_animal_window(399).animal, 2);
    EXPECT_EQ(demo_animal_window(599).animal, 8);
    EXPECT_STREQ(demo_animal_words[demo_animal_window(pos(3, 0)).animal], "simba");
    EXPECT_STREQ(demo_animal_words[demo_animal_window(pos(3, 32)).animal], "duma");
    EXPECT_STREQ(demo_animal_words[demo_animal_window(pos(5, 63)).animal], "punda milia");
}

TEST(Greetings, NumberFollowsThePositionIn26PositionSteps) {
    const struct { int order, first_row, last_row, index; } table[] = {
        { 9,  0, 25, 0}, { 9, 26, 51, 1}, { 9, 52, 63, 2},
        {10,  0,  3, 3}, {10,  4, 29, 4}, {10, 30, 55, 5}, {10, 56, 63, 6},
        {11,  0,  7, 7}, {11,  8, 33, 8}, {11, 34, 59, 9}, {11, 60, 63, 10},
    };
    for (const auto& row : table)
        for (int r = row.first_row; r <= row.last_row; ++r)
            EXPECT_EQ(demo_greeting_index(pos(row.order, r)), row.index) << row.order << ":" << r;
    EXPECT_EQ(demo_greeting_index(0xFFFFFFFFu), 16) << "capped";
}

TEST(Greetings, NamesAreShortLowerCaseWords) {
    for (const char* name : demo_greetings) {
        const size_t n = std::strlen(name);
        EXPECT_GE(n, 3u) << name;
        EXPECT_LE(n, 11u) << name;
        for (size_t i = 0; i < n; ++i) EXPECT_TRUE(name[i] >= 'a' && name[i] <= 'z') << name;
    }
    for (const char* credit : demo_credits) {
        const size_t n = std::strlen(credit);
        EXPECT_TRUE(n == 3 || n == 4) << credit;
        for (size_t i = 0; i < n; ++i) EXPECT_TRUE(credit[i] >= 'a' && credit[i] <= 'z') << credit;
    }
    EXPECT_EQ(2.0f * demo_greeting_x[2], -1.4f);
    EXPECT_EQ(demo_greeting_y[5], -0.8f);
}

TEST(GridSize, GrowsThroughOrder13) {
    const struct { uint32_t p; int size; } cases[] = {
        {pos(12, 0), 0}, {pos(12, 63), 0},
        {pos(13, 0), 1}, {pos(13, 15), 1}, {pos(13, 16), 2}, {pos(13, 31), 2},
        {pos(13, 32), 3}, {pos(13, 47), 3}, {pos(13, 48), 4}, {pos(13, 63), 4},
        {pos(14, 0), 7}, {pos(15, 49), 7},
    };
    for (const auto& c : cases) EXPECT_EQ(demo_grid_size(c.p), c.size) << "position " << c.p;
}

class Kick : public ::testing::Test {
protected:
    DemoState state;
    void SetUp() override { demo_state_init(state); }
};

TEST_F(Kick, WithoutAnyTriggerTheLevelIs20OverTCappedAt4) {
    const struct { float t, level; } cases[] = {
        {0.0f, 4.0f}, {1.0f, 4.0f}, {5.0f, 4.0f}, {8.0f, 2.5f}, {40.0f, 0.5f}, {80.0f, 0.25f},
    };
    for (const auto& c : cases) {
        demo_kick(state, 999999, c.t);
        EXPECT_FLOAT_EQ(state.kick_level, c.level) << "t " << c.t;
        EXPECT_EQ(state.kick_time, 0.0f);
    }
}

TEST_F(Kick, AcceptedTriggerTopsTheLevelUpAndItDecaysAfterFiveSeconds) {
    demo_kick(state, 999999, 30.0f);  // level 20/30 = 0.67: still above 0.5
    demo_kick(state, 3, 31.0f);       // age below 4: accepted
    EXPECT_EQ(state.kick_time, 31.0f);
    EXPECT_EQ(state.kick_level, 4.0f) << "a zero interval counts as above the cap";
    demo_kick(state, 50, 36.0f);
    EXPECT_FLOAT_EQ(state.kick_level, 4.0f);
    demo_kick(state, 50, 41.0f);
    EXPECT_FLOAT_EQ(state.kick_level, 2.0f);
}

TEST_F(Kick, TriggerAgeOfFourOrMoreIsNotAKick) {
    demo_kick(state, 4, 10.0f);
    EXPECT_EQ(state.kick_time, 0.0f);
    EXPECT_FLOAT_EQ(state.kick_level, 2.0f);
}

TEST_F(Kick, AfterFortySecondsOfSilenceNoTriggerBringsItBack) {
    demo_kick(state, 0, 10.0f);
    demo_kick(state, 99, 51.0f);  // 20 / 41 < 0.5
    ASSERT_LT(state.kick_level, 0.5f);
    demo_kick(state, 0, 52.0f);
    EXPECT_EQ(state.kick_time, 10.0f);
    EXPECT_FLOAT_EQ(state.kick_level, 20.0f / 42.0f);
}

TEST(ClosingWipe, FirstPulseAboveOneHalfWipesForGood) {
    DemoState state;
    demo_state_init(state);
    const struct { double pulse; int clear_colour; } steps[] = {
        {0.0, 0}, {0.3, 0}, {0.5, 0}, {0.5000001, 1}, {0.0, 1}, {0.9, 1}, {0.0, 1},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(demo_closing_wipe(state, s.pulse), s.clear_colour) << "pulse " << s.pulse;
        EXPECT_EQ(state.end_scene_on, s.clear_colour);
    }
}

TEST(End, ProductionEndsFromPosition1550) {
    const struct { uint32_t p; int ended; } cases[] = {
        {0, 0}, {1500, 0}, {1549, 0}, {1550, 1}, {1563, 1}, {0xFFFFFFFFu, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(demo_song_ended(c.p), c.ended) << c.p;
}

}  // namespace
