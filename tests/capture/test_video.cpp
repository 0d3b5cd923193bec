// The MP4 as a player sees it (ffprobe): H.264 pictures of the size and
// rate asked for, AAC sound at 44,100 Hz stereo, both as long as the span.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>

#include "tests/capture/run_tool.h"

namespace {

// ffprobe's key=value lines for one stream ("v:0" or "a:0").
std::map<std::string, std::string> probe(const std::string& path, const std::string& stream)
{
    const Outcome o = run("ffprobe -v error -select_streams " + stream +
                          " -count_frames -show_entries "
                          "stream=codec_name,width,height,r_frame_rate,nb_read_frames,start_time,duration,"
                          "sample_rate,channels,pix_fmt -of default=noprint_wrappers=1 '" + path + "'");
    EXPECT_EQ(o.status, 0) << o.err;
    std::map<std::string, std::string> fields;
    std::istringstream lines(o.out);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos) fields[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return fields;
}

TEST(CaptureVideo, FfprobeSeesTheSpanSizeRateAndSound)
{
    const struct {
        const char* args;
        const char* width;
        const char* height;
        const char* rate;
        const char* frames;
        double seconds;
    } cases[] = {
        {"--to 2", "640", "480", "60/1", "120", 2.0},
        {"--fps 25 --size 320x240 --from 20 --to 21.2", "320", "240", "25/1", "30", 1.2},
    };
    const std::string dir = output_dir("video");
    for (const auto& c : cases) {
        const std::string path = dir + "/out.mp4";
        const Outcome o = capture(std::string(c.args) + " --video '" + path + "'");
        ASSERT_EQ(o.status, 0) << c.args << ": " << o.err;
        EXPECT_FALSE(file_exists(path + ".part"));

        auto video = probe(path, "v:0");
        EXPECT_EQ(video["codec_name"], "h264") << c.args;
        EXPECT_EQ(video["pix_fmt"], "yuv420p") << c.args;
        EXPECT_EQ(video["width"], c.width) << c.args;
        EXPECT_EQ(video["height"], c.height) << c.args;
        EXPECT_EQ(video["r_frame_rate"], c.rate) << c.args;
        EXPECT_EQ(video["nb_read_frames"], c.frames) << c.args;
        EXPECT_NEAR(std::atof(video["duration"].c_str()), c.seconds, 0.01) << c.args;

        auto audio = probe(path, "a:0");
        EXPECT_EQ(audio["codec_name"], "aac") << c.args;
        EXPECT_EQ(audio["sample_rate"], "44100") << c.args;
        EXPECT_EQ(audio["channels"], "2") << c.args;
        // AAC codes whole blocks of 1,024 samples.
        EXPECT_NEAR(std::atof(audio["duration"].c_str()), c.seconds, 0.03) << c.args;
        // Sound and picture start together, also for a span that starts late.
        EXPECT_NEAR(std::atof(video["start_time"].c_str()), 0.0, 0.001) << c.args;
        EXPECT_NEAR(std::atof(audio["start_time"].c_str()), 0.0, 0.001) << c.args;
    }
}

}  // namespace
