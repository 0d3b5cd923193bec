#include <gtest/gtest.h>

#include "player/player.h"
#include "player/player_state.h"

// The sequencer finds notes by scanning a row, and glissando by scanning it
// backwards: both rely on every row falling strictly from its lowest note.
TEST(PeriodTable, EveryRowDescendsStrictlyAndEndsOnARepeat) {
    for (int row = 0; row < 16; row++) {
        for (int k = 0; k < 83; k++)
            EXPECT_GT(pt_period_table[row][k], pt_period_table[row][k + 1]) << "row " << row << " entry " << k;
        EXPECT_EQ(pt_period_table[row][84], pt_period_table[row][83]) << "row " << row;
    }
}

TEST(PeriodTable, OuterOctavesFollowTheOctaveRelation) {
    for (int row = 0; row < 16; row++) {
        for (int k = 0; k < 12; k++) {
            const int base = pt_period_table[row][24 + k];
            EXPECT_EQ(pt_period_table[row][k], 4 * base) << row << "/" << k;
            EXPECT_EQ(pt_period_table[row][12 + k], 2 * base) << row << "/" << k;
            EXPECT_EQ(pt_period_table[row][60 + k], pt_period_table[row][48 + k] / 2) << row << "/" << k;
            EXPECT_EQ(pt_period_table[row][72 + k], pt_period_table[row][60 + k] / 2) << row << "/" << k;
        }
    }
}

TEST(PeriodTable, GivenValues) {
    struct Case { int row, entry, period; };
    const Case cases[] = {
        {0, 0, 3424},  {0, 11, 1812}, {0, 23, 906},  {0, 24, 856},  {0, 36, 428},
        {0, 40, 339},  {0, 59, 113},  {0, 60, 107},  {0, 71, 56},   {0, 72, 53},
        {0, 83, 28},   {0, 84, 28},   {8, 0, 3628},  {8, 1, 3424},  {8, 41, 339},
        {1, 24, 850},  {7, 59, 108},  {9, 47, 238},  {12, 34, 494}, {15, 59, 114},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pt_period_table[c.row][c.entry], c.period) << "row " << c.row << " entry " << c.entry;
}

TEST(PeriodTable, LargestAndSmallestPeriodsAreTheSlideBounds) {
    int largest = 0, smallest = 1 << 30;
    for (const auto& row : pt_period_table)
        for (uint16_t period : row) {
            largest = period > largest ? period : largest;
            smallest = period < smallest ? period : smallest;
        }
    EXPECT_EQ(largest, PT_MAX_PERIOD);
    EXPECT_GE(smallest, PT_MIN_PERIOD);
}

TEST(PeriodTable, StoredPeriodsConvertToNoteIndices) {
    struct Case { uint32_t period; int note; };
    const Case cases[] = {
        {0, 84},   {20, 84},  {27, 84},  {28, 83},  {856, 24}, {857, 24},
        {855, 25}, {3424, 0}, {3500, 0}, {4095, 0}, {113, 59}, {339, 40},
    };
    for (const Case& c : cases) EXPECT_EQ(pt_note_index(c.period), c.note) << "period " << c.period;
}
