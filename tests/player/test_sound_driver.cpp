#include <gtest/gtest.h>

#include "player/sound_driver.h"

// Nothing may call the table before the audio output fills it, so it must
// start out empty rather than holding stale or default operations.
TEST(SoundDriver, EmptyAtProgramStart) {
    EXPECT_EQ(SoundDriver.init, nullptr);
    EXPECT_EQ(SoundDriver.define_sample, nullptr);
    EXPECT_EQ(SoundDriver.select_voice, nullptr);
    EXPECT_EQ(SoundDriver.set_master_volume, nullptr);
}
