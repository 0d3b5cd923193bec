// capture's refusals: bad command lines, missing data, a failing ffmpeg and
// times past the end. Each is one line on stderr and exit status 1, and
// leaves no half-written file under the name asked for.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/capture/run_tool.h"

namespace {

void expect_one_line_failure(const Outcome& o, const std::string& words, const std::string& args)
{
    EXPECT_EQ(o.status, 1) << args;
    EXPECT_EQ(o.err.rfind("capture: ", 0), 0u) << args << ": " << o.err;
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << args << ": " << o.err;
    EXPECT_NE(o.err.find(words), std::string::npos) << args << ": " << o.err;
}

TEST(CaptureOptions, BadCommandLinesAreRefusedWithOneLine)
{
    const struct {
        const char* args;
        const char* words;
    } cases[] = {
        {"", "nothing to write"},
        {"--wav", "--wav needs a value"},
        {"--wav x.wav --fps 0", "--fps needs a whole number"},
        {"--wav x.wav --fps 241", "--fps needs a whole number"},
        {"--wav x.wav --fps 29.97", "--fps needs a whole number"},
        {"--wav x.wav --size 640x400", "4:3"},
        {"--wav x.wav --size 642x481", "4:3"},
        {"--wav x.wav --size 20x15", "from 32 to 4096"},
        {"--wav x.wav --size 100x75", "height be even"},
        {"--wav x.wav --size big", "WIDTHxHEIGHT"},
        {"--wav x.wav --from -1", "--from needs a number of seconds"},
        {"--wav x.wav --to 1e9", "--to needs a number of seconds"},
        {"--wav x.wav --from 2 --to 2", "--to must come at least one frame after --from"},
        {"--wav x.wav --fps 10 --from 2.01 --to 2.05", "--to must come at least one frame"},
        {"--png x.png", "--png needs --frame-at"},
        {"--frame-at 3", "--frame-at needs one of --png"},
        {"--frame-at 3 --png a.png --png-dir d", "--frame-at needs one of --png"},
        {"--frame-at 3 --frame-at 4 --png a.png", "--png takes one frame"},
        {"--frame-at 3 --png a.png --video v.mp4", "--frame-at writes pictures only"},
        {"--frame-at 3 --png a.png --to 5", "--frame-at writes pictures only"},
        {"--wav x.wav --wav y.wav", "--wav given twice"},
        {"--wav x.wav --loud", "unknown option --loud"},
        {"--wav x.wav extra", "unexpected argument"},
    };
    // Where a faulty case would write its file, it stays out of the way.
    const std::string dir = output_dir("bad_command_lines");
    for (const auto& c : cases)
        expect_one_line_failure(capture(c.args, dir), c.words, c.args);
}

TEST(CaptureOptions, HelpListsTheOutputs)
{
    const Outcome o = capture("--help");
    EXPECT_EQ(o.status, 0);
    for (const char* word : {"--video", "--wav", "--png-dir", "--frame-at", "--fps", "--size", "--from", "--to"})
        EXPECT_NE(o.out.find(word), std::string::npos) << word;
}

TEST(CaptureOptions, MissingDataIsOneLine)
{
    const std::string empty = output_dir("missing_data");
    const Outcome o = capture("--wav out.wav --to 1", empty);
    expect_one_line_failure(o, "cannot open data/afro.mod", "in an empty folder");
    EXPECT_FALSE(file_exists(empty + "/out.wav"));
    EXPECT_FALSE(file_exists(empty + "/out.wav.part"));
}

TEST(CaptureOptions, RejectedModuleIsOneLine)
{
    const std::string dir = output_dir("bad_module");
    run("mkdir -p data && printf 'not a module' > data/afro.mod", dir);
    const Outcome o = capture("--wav out.wav --to 1", dir);
    expect_one_line_failure(o, "data/afro.mod: pt_takemod error", "a short module");
}

TEST(CaptureOptions, MissingPicturesAreOneLine)
{
    // The module is there, the pictures are not.
    const std::string dir = output_dir("missing_pictures");
    run("mkdir -p data && cp '" SOURCE_DIR "/data/afro.mod' data/", dir);
    const Outcome o = capture("--frame-at 1 --png out.png", dir);
    expect_one_line_failure(o, "data/", "no pictures");
    EXPECT_FALSE(file_exists(dir + "/out.png"));
    // Sound alone needs no pictures.
    EXPECT_EQ(capture("--wav out.wav --to 0.5", dir).status, 0);
}

TEST(CaptureOptions, FailingFfmpegIsReportedAndLeavesNoFile)
{
    const std::string dir = output_dir("failing_ffmpeg");
    // ffmpeg cannot create its output: it stops, and says why.
    Outcome o = capture("--video '" + dir + "/no/such/folder/out.mp4' --to 0.5");
    expect_one_line_failure(o, "ffmpeg failed", "unwritable output");
    EXPECT_NE(o.err.find("No such file or directory"), std::string::npos) << o.err;

    // No ffmpeg at all.
    o = run("PATH=/nonexistent " CAPTURE_PATH " --video '" + dir + "/other.mp4' --to 0.5");
    expect_one_line_failure(o, "cannot run ffmpeg", "no ffmpeg on the PATH");
    EXPECT_FALSE(file_exists(dir + "/other.mp4"));
    EXPECT_FALSE(file_exists(dir + "/other.mp4.part"));
}

TEST(CaptureOptions, TimesPastTheEndAreRefused)
{
    const std::string dir = output_dir("past_the_end");
    // At 10 frames per second the whole production is about 1,200 frames.
    Outcome o = capture("--fps 10 --frame-at 500 --png '" + dir + "/late.png'");
    expect_one_line_failure(o, "past the end of the production", "--frame-at 500");
    EXPECT_FALSE(file_exists(dir + "/late.png"));
    o = capture("--fps 10 --from 400 --wav '" + dir + "/late.wav'");
    expect_one_line_failure(o, "past the end of the production", "--from 400");
    EXPECT_FALSE(file_exists(dir + "/late.wav"));
}

}  // namespace
