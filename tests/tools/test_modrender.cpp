// modrender as a user runs it: the WAV it writes (the same samples the
// playback clock gives in 4,096-frame buffers), where it stops, the
// timeline, and its one-line errors.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "mixer/mixer.h"
#include "player/audio.h"
#include "player/player.h"
#include "tests/mixer/mod_builder.h"

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

std::string temp_dir()
{
    static std::string dir = [] {
        char pattern[] = "/tmp/modrender_test_XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return dir;
}

std::string slurp(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

Outcome modrender(const std::string& args)
{
    const std::string out = temp_dir() + "/stdout", err = temp_dir() + "/stderr";
    const std::string command = std::string(MODRENDER_PATH) + " " + args + " >" + out + " 2>" + err;
    const int raw = std::system(command.c_str());
    return Outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
}

// Two orders; channel 0 plays a looped square from row 0 of order 0.
ModBuilder two_order_song()
{
    ModBuilder b;
    b.orders = {0, 1};
    std::vector<int8_t> square(64);
    for (int i = 0; i < 64; ++i) square[i] = int8_t(i < 32 ? 90 : -90);
    b.samples[1].data = square;
    b.samples[1].loop_length = 64;
    b.cell(0, 0, 0) = BuiltCell{1, 214, 0, 0};
    b.cell(1, 0, 1) = BuiltCell{1, 320, 0, 0};
    return b;
}

std::string write_module(const ModBuilder& b, const std::string& name)
{
    const std::string path = temp_dir() + "/" + name;
    std::vector<uint8_t> bytes = b.bytes();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                std::streamsize(bytes.size()));
    return path;
}

std::vector<int16_t> wav_samples(const std::string& path)
{
    const std::string bytes = slurp(path);
    EXPECT_GE(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(bytes.substr(36, 4), "data");
    auto u32 = [&](size_t at) {
        return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
               uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
    };
    EXPECT_EQ(u32(24), 44100u);
    EXPECT_EQ(u32(22) & 0xFFFF, 2u);
    EXPECT_EQ(u32(40), bytes.size() - 44);
    EXPECT_EQ(u32(4), bytes.size() - 8);
    std::vector<int16_t> samples((bytes.size() - 44) / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = int16_t(uint16_t(uint8_t(bytes[44 + 2 * i]) | uint8_t(bytes[45 + 2 * i]) << 8));
    return samples;
}

}  // namespace

TEST(Modrender, StopsAtTheEndOfTheBufferThatReachesThePosition)
{
    const std::string module = write_module(two_order_song(), "two.mod");
    const std::string wav = temp_dir() + "/two.wav";
    Outcome r = modrender("--wav " + wav + " --until-position 100 --timeline " + module);
    ASSERT_EQ(r.status, 0) << r.err;

    // Row n starts 6 x 882 frames after row n - 1; order 1 row 0 at frame
    // 64 x 5292 = 338688, inside buffer 82, which ends at frame 339968.
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> got;
    while (std::getline(lines, line)) got.push_back(line);
    ASSERT_EQ(got.size(), 65u) << r.out;
    for (int row = 0; row < 64; ++row)
        EXPECT_EQ(got[row], std::to_string(row * 5292) + " 0 " + std::to_string(row));
    EXPECT_EQ(got[64], "338688 1 0");

    const std::vector<int16_t> samples = wav_samples(wav);
    ASSERT_EQ(samples.size(), 2u * 339968);

    // Sample for sample what the clock gives in 4,096-frame buffers.
    ASSERT_EQ(snd_open_offline(44100, 4096), 1);
    std::vector<uint8_t> image = two_order_song().bytes();
    ASSERT_EQ(pt_load(image.data(), image.size()), 1);
    std::vector<int16_t> expected(samples.size());
    for (size_t f = 0; f < 339968; f += 4096) snd_render(expected.data() + 2 * f, 4096);
    EXPECT_TRUE(samples == expected);
    int loudest = 0;
    for (int16_t v : samples) loudest = std::max(loudest, std::abs(int(v)));
    EXPECT_GT(loudest, 10000);
}

TEST(Modrender, SecondsLimitTheLengthExactly)
{
    const std::string module = write_module(two_order_song(), "two.mod");
    const std::string wav = temp_dir() + "/short.wav";
    struct Case { const char* seconds; size_t frames; };
    const Case cases[] = {{"1", 44100}, {"0.5", 22050}, {"0", 0}, {"0.1", 4410}};
    for (const Case& c : cases) {
        Outcome r = modrender("--seconds " + std::string(c.seconds) + " --wav " + wav + " " + module);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "") << "nothing but the timeline on standard output";
        EXPECT_EQ(wav_samples(wav).size(), 2 * c.frames) << c.seconds;
    }
}

TEST(Modrender, TimelineCountsARepeatedRowAndNotAHeldOne)
{
    // Rows 2 and 3 play twice (E60 marks row 2, E61 at row 3 jumps back
    // once); row 5 is held for one more row by EE1.
    ModBuilder b = two_order_song();
    b.orders = {0};
    b.cell(0, 2, 1) = BuiltCell{0, 0, 0xE, 0x60};
    b.cell(0, 3, 1) = BuiltCell{0, 0, 0xE, 0x61};
    b.cell(0, 5, 2) = BuiltCell{0, 0, 0xE, 0xE1};
    Outcome r = modrender("--timeline --seconds 1.5 " + write_module(b, "loop.mod"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "0 0 0\n5292 0 1\n10584 0 2\n15876 0 3\n21168 0 2\n26460 0 3\n"
              "31752 0 4\n37044 0 5\n47628 0 6\n52920 0 7\n58212 0 8\n63504 0 9\n");
}

TEST(Modrender, BadInputGivesOneLineAndStatus1)
{
    std::ofstream(temp_dir() + "/text.mod") << "not a module at all";
    const std::string module = write_module(two_order_song(), "two.mod");
    struct Case { std::string args; std::string says; };
    const Case cases[] = {
        {temp_dir() + "/missing.mod", "cannot open"},
        {temp_dir() + "/text.mod", "text.mod: "},
        {"--frobnicate " + module, "unknown option --frobnicate"},
        {"--seconds -3 " + module, "--seconds"},
        {"--seconds lots " + module, "--seconds"},
        {"--until-position x " + module, "--until-position"},
        {module + " --wav", "--wav needs a value"},
        {"--wav /nonexistent/dir/out.wav " + module, "cannot create"},
        {"", "no module given"},
        {module + " " + module, "more than one module"},
    };
    for (const Case& c : cases) {
        Outcome r = modrender(c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_NE(r.err.find("modrender: " ), std::string::npos) << c.args << ": " << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.args << ": " << r.err;
    }
    // The loader's own text reaches the user.
    std::string text = slurp(temp_dir() + "/text.mod");
    std::vector<uint8_t> bytes(text.begin(), text.end());
    ASSERT_EQ(pt_load(bytes.data(), bytes.size()), 0);
    Outcome r = modrender(temp_dir() + "/text.mod");
    EXPECT_EQ(r.err, "modrender: " + temp_dir() + "/text.mod: " + pt_error() + "\n");
}
