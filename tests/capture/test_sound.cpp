// The sound capture writes is modrender's, byte for byte, for the same span:
// both go through the playback clock in the device's 4,096-frame buffers.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "tests/capture/run_tool.h"

namespace {

constexpr int kHeader = 44;
constexpr int kFrameBytes = 4;

// modrender's WAV of the first `frames` audio frames (it may stop a buffer
// after position 1550 otherwise, so the limit is lifted).
std::string modrender_frames(const std::string& dir, long frames)
{
    char seconds[64];
    std::snprintf(seconds, sizeof seconds, "%.12f", double(frames) / 44100.0);
    const std::string path = dir + "/modrender.wav";
    const Outcome o = modrender("--wav '" + path + "' --seconds " + seconds +
                                " --until-position 99999 data/afro.mod");
    EXPECT_EQ(o.status, 0) << o.err;
    return slurp(path);
}

// The audio frame at which row `row` of order `order` starts, from
// modrender's timeline (-1 when the song never gets there).
long row_start(int order, int row)
{
    const Outcome o = modrender("--timeline data/afro.mod");
    EXPECT_EQ(o.status, 0) << o.err;
    std::istringstream lines(o.out);
    long frame;
    int o_order, o_row;
    while (lines >> frame >> o_order >> o_row)
        if (o_order == order && o_row == row) return frame;
    return -1;
}

TEST(CaptureSound, WholeProductionIsModrendersWav)
{
    const std::string dir = output_dir("sound_whole");
    const Outcome o = capture("--wav '" + dir + "/capture.wav'");
    ASSERT_EQ(o.status, 0) << o.err;
    const std::string ours = slurp(dir + "/capture.wav");
    ASSERT_GT(ours.size(), size_t(kHeader));
    const long frames = long(ours.size() - kHeader) / kFrameBytes;

    // The last frame is the first 60 fps frame (735 audio frames apart) at
    // or after the tick that starts position 1550; its sound is the last.
    const long end_tick = row_start(15, 50);
    ASSERT_GT(end_tick, 0);
    const long last_frame = (end_tick + 734) / 735;
    EXPECT_EQ(frames, (last_frame + 1) * 735);
    EXPECT_TRUE(ours == modrender_frames(dir, frames)) << "capture's WAV differs from modrender's";
}

TEST(CaptureSound, SpansAreSlicesOfTheSameSound)
{
    const std::string dir = output_dir("sound_spans");
    const std::string whole = modrender_frames(dir, 44100 * 13);
    ASSERT_EQ(whole.size(), size_t(kHeader + 44100 * 13 * kFrameBytes));
    const struct {
        const char* args;
        long first, end;  // audio frames
    } cases[] = {
        {"--to 2", 0, 88200},
        {"--from 10 --to 12.5", 441000, 551250},
        // 24 frames per second: frame k's sound starts at ceil(k x 1837.5).
        {"--fps 24 --from 0.5 --to 1.25", 22050, 55125},
        {"--fps 24 --from 1 --to 1.125", 44100, 49613},
    };
    for (const auto& c : cases) {
        const std::string path = dir + "/span.wav";
        const Outcome o = capture(std::string(c.args) + " --wav '" + path + "'");
        ASSERT_EQ(o.status, 0) << c.args << ": " << o.err;
        const std::string ours = slurp(path);
        ASSERT_EQ(ours.size(), size_t(kHeader + (c.end - c.first) * kFrameBytes)) << c.args;
        EXPECT_TRUE(ours.compare(kHeader, std::string::npos, whole, kHeader + c.first * kFrameBytes,
                                 (c.end - c.first) * kFrameBytes) == 0)
            << c.args << ": not the same samples as modrender's";
    }
}

}  // namespace
