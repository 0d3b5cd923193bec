// Pictures of the production at fixed times, one or two a scene, compared
// with the committed references in tests/capture/reference/ (halved to
// 320 x 240, which also forgives a rasteriser's small differences).
//
// A frame that no longer matches is written beside the test's output with a
// difference image, for a person to look at; if the change is wanted, copy
// the new frame over the reference (or run the test with
// ZK_CAPTURE_UPDATE_REFERENCES=1, which rewrites every reference).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tests/capture/image.h"
#include "tests/capture/run_tool.h"

namespace {

struct Moment {
    const char* name;
    const char* seconds;
};

// Row r of order n starts at (64 n + r) x 0.12 s.
const Moment moments[] = {
    {"1_crew_swing_in", "0.5"},           // the two lines swinging in from the sides
    {"1_crew_zoom", "7.5"},               // order 0, row 62: flying towards the viewer
    {"2_title", "10"},                    // order 1, row 19: title picture and lines
    {"3_lesson", "18"},                   // order 2, row 22: swarms and the sliding line
    {"4_animals_simba", "25"},            // order 3, row 16: lion over picture 10
    {"4_animals_ndovu", "35.5"},          // order 4, row 40: elephant over buffalo
    {"5_phrases_rings", "50"},            // order 6, row 32: nested rings, two phrases
    {"5_phrases_star_rings", "63"},       // order 8, row 13: star rings instead of rings
    {"6_greetings", "75"},                // order 9, row 49: the second greeting
    {"7_finale_grid", "106"},             // order 13, row 51: a 4 x 4 star grid
    {"7_finale_closing", "117.5"},        // order 15, row 19: star rings and credits
};

constexpr int kLevels = 8;            // a pixel is off when a channel differs by more
constexpr double kShareOff = 0.01;    // at most this share of pixels may be off
constexpr double kMeanLevels = 1.5;   // and the mean difference stay below this

TEST(CaptureFrames, ScenesMatchTheirReferences)
{
    const std::string dir = output_dir("frames");
    std::string args = "--png-dir '" + dir + "'";
    for (const Moment& m : moments) args += std::string(" --frame-at ") + m.seconds;
    const Outcome o = capture(args);
    ASSERT_EQ(o.status, 0) << o.err;

    const bool update = std::getenv("ZK_CAPTURE_UPDATE_REFERENCES") != nullptr;
    for (const Moment& m : moments) {
        char file[32];
        std::snprintf(file, sizeof file, "/%06lld.png", std::llround(std::atof(m.seconds) * 60));
        Picture frame;
        ASSERT_TRUE(read_png(dir + file, &frame)) << m.name << ": no frame " << dir + file;
        ASSERT_EQ(frame.width, 640);
        ASSERT_EQ(frame.height, 480);
        const Picture small = halve(frame);
        const std::string reference_path = std::string(REFERENCE_DIR) + "/" + m.name + ".png";
        if (update) {
            ASSERT_TRUE(write_png(reference_path, small)) << reference_path;
            continue;
        }
        Picture reference;
        ASSERT_TRUE(read_png(reference_path, &reference)) << "no reference " << reference_path;
        const Difference d = compare(small, reference, kLevels);
        if (d.share_off <= kShareOff && d.mean <= kMeanLevels) continue;
        const std::string new_path = dir + "/" + m.name + ".new.png";
        const std::string diff_path = dir + "/" + m.name + ".diff.png";
        write_png(new_path, small);
        if (!d.image.rgb.empty()) write_png(diff_path, d.image);
        ADD_FAILURE() << m.name << " at " << m.seconds << " s: " << d.share_off * 100
                      << " % of the pixels off by more than " << kLevels << " levels, mean "
                      << d.mean << " levels.\n  new frame:  " << new_path
                      << "\n  difference: " << diff_path << "\n  reference:  " << reference_path;
    }
}

// Frames outside the written span are drawn into one pixel, for their logic
// only; the frames written afterwards must be exactly those of a run that
// draws and writes every frame.
TEST(CaptureFrames, SkippedFramesLeaveTheSamePictures)
{
    const std::string all = output_dir("every_frame");
    const std::string picked = output_dir("picked_frames");
    const std::string common = "--fps 5 --size 320x240 ";
    Outcome o = capture(common + "--to 52 --png-dir '" + all + "'");
    ASSERT_EQ(o.status, 0) << o.err;
    o = capture(common + "--frame-at 7.6 --frame-at 24 --frame-at 51.8 --png-dir '" + picked + "'");
    ASSERT_EQ(o.status, 0) << o.err;
    for (const char* file : {"/000038.png", "/000120.png", "/000259.png"}) {
        const std::string a = slurp(all + file), b = slurp(picked + file);
        ASSERT_FALSE(a.empty()) << file;
        EXPECT_TRUE(a == b) << file << " differs between the two runs";
    }
    // And --from draws the same as well.
    const std::string late = output_dir("from_frames");
    o = capture(common + "--from 51.8 --to 52 --png-dir '" + late + "'");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(slurp(late + "/000259.png") == slurp(all + "/000259.png"));
}

}  // namespace
