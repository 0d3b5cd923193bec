#include <gtest/gtest.h>

#include "tests/player/player_fixture.h"

namespace {

const char* UNKNOWN_TYPE = "pt_takemod error: unknown module type!";

std::vector<std::string> calls_of_load(const std::vector<uint8_t>& image, int* result) {
    install_recording_driver();
    loaded_module = image;
    *result = pt_load(loaded_module.data(), loaded_module.size());
    return driver_calls;
}

}  // namespace

TEST(Loader, TagsGiveTheirChannelCount) {
    struct Case { const char* tag; int channels; };
    const Case cases[] = {
        {"2CHN", 2},   {"4CHN", 4},   {"M.K.", 4},   {"M!K!", 4},   {"FLT4", 4},   {"FLT8", 8},
        {"OCTA", 8},   {"6CHN", 6},   {"8CHN", 8},   {"10CH", 10},  {"12CH", 12},  {"14CH", 14},
        {"16CH", 16},  {"18CH", 18},  {"20CH", 20},  {"22CH", 22},  {"24CH", 24},  {"26CH", 26},
        {"28CH", 28},  {"30CH", 30},  {"32CH", 32},
        {"STOP", 0},   {"m.k.", 0},   {"3CHN", 0},   {"\0\0\0\0", 0},
    };
    for (const Case& c : cases) {
        ModuleBuilder mod;
        mod.tag = std::string(c.tag, 4);
        // Pattern data are sized by the channel count the builder is told.
        mod.channels = c.channels > 0 ? c.channels : 4;
        int ok = 0;
        std::vector<std::string> calls = calls_of_load(mod.build(), &ok);
        EXPECT_EQ(ok, c.channels > 0 ? 1 : 0) << c.tag;
        EXPECT_EQ(pt_channel_count(), c.channels) << c.tag;
        EXPECT_EQ(pt_song_loaded(), c.channels > 0 ? 1 : 0) << c.tag;
        if (c.channels > 0) {
            ASSERT_FALSE(calls.empty());
            EXPECT_EQ(calls.back(), "voices " + std::to_string(c.channels)) << c.tag;
        } else {
            EXPECT_STREQ(pt_error(), UNKNOWN_TYPE) << c.tag;
            EXPECT_TRUE(calls.empty()) << c.tag << ": nothing registered";
            EXPECT_EQ(pt_position(), 0u);
        }
    }
}

// Bad headers are refused before anything is converted or registered, and
// never read past the data (run under the sanitizer build to see the reads).
TEST(Loader, RejectsDataItCannotHoldWithAClearText) {
    struct Case { const char* what; std::vector<uint8_t> image; const char* error; };
    ModuleBuilder good;
    good.samples[1].length_words = 8;
    ModuleBuilder high_pattern = good;
    high_pattern.orders[127] = 128;  // beyond the song length still counts
    ModuleBuilder missing_patterns = good;
    missing_patterns.orders[5] = 3;
    std::vector<uint8_t> cut = missing_patterns.build();
    cut.resize(1084 + 3 * 1024 + 100);
    std::vector<uint8_t> header_only = good.build();
    header_only.resize(1083);

    const Case cases[] = {
        {"empty", {}, "pt_takemod error: module shorter than its header!"},
        {"1083 bytes", header_only, "pt_takemod error: module shorter than its header!"},
        {"pattern 128", high_pattern.build(), "pt_takemod error: pattern number above 127!"},
        {"patterns cut", cut, "pt_takemod error: pattern data cut short!"},
    };
    for (const Case& c : cases) {
        // A loaded song first, to show that a failed load leaves nothing playable.
        ASSERT_TRUE(load_module(good));
        int ok = 1;
        std::vector<uint8_t> before = c.image;
        std::vector<std::string> calls = calls_of_load(c.image, &ok);
        EXPECT_EQ(ok, 0) << c.what;
        EXPECT_STREQ(pt_error(), c.error) << c.what;
        EXPECT_TRUE(calls.empty()) << c.what;
        EXPECT_EQ(loaded_module, before) << c.what << ": no pattern converted";
        EXPECT_EQ(pt_song_loaded(), 0) << c.what;
        EXPECT_EQ(pt_position(), 0u) << c.what;
        // Nothing to play: ticks do nothing and the tick length is not derived from tempo 0.
        pt_samples_per_tick = 882;
        pt_tick();
        pt_update_trigger_ages();
        pt_update_tick_length();
        EXPECT_EQ(pt_samples_per_tick, 882) << c.what;
        EXPECT_EQ(pt_position(), 0u) << c.what;
    }
    ASSERT_EQ(pt_load(nullptr, 5000), 0);
}

TEST(Loader, RegistersSamplesInOrderWithTheirLoops) {
    ModuleBuilder mod;
    mod.samples[1] = {8, 0, 64, 0, 0};    // 16 bytes, no loop
    mod.samples[3] = {8, 0, 64, 2, 1};    // loop of 1 word: not looped, end = start + 2
    mod.samples[4] = {8, 0, 64, 2, 2};    // loop of 2 words: looped
    mod.samples[7] = {8, 0, 64, 4, 10};   // loop reaching past the sample: clamped to 16
    mod.samples[8] = {8, 0, 64, 7, 4};    // loop that keeps 2 bytes after clamping: none
    mod.samples[9] = {8, 0, 64, 20, 2};   // loop starting beyond the sample: none, at the end
    mod.samples[31] = {1, 0, 64, 0, 0};
    int ok = 0;
    std::vector<std::string> calls = calls_of_load(mod.build(), &ok);
    ASSERT_EQ(ok, 1);
    const std::vector<std::string> expected = {
        "define 1 16 0 0 0",  "define 3 16 4 6 0",  "define 4 16 4 8 1",  "define 7 16 8 16 1",
        "define 8 16 14 16 0", "define 9 16 16 16 0", "define 31 2 0 0 0",  "voices 4",
    };
    EXPECT_EQ(calls, expected);
}

// The mixer plays samples straight from the module image: every registered
// sample, and its loop, must lie wholly inside the data.
TEST(Loader, SamplesCutShortKeepWhatIsThere) {
    ModuleBuilder mod;
    mod.samples[1] = {4, 0, 64, 0, 0};    // 8 bytes, all present
    mod.samples[2] = {8, 0, 64, 2, 6};    // 16 bytes, 10 present; loop 4..16 clamped to 4..10
    mod.samples[3] = {8, 0, 64, 0, 4};    // nothing present: not registered
    std::vector<uint8_t> image = mod.build();
    image.resize(image.size() - 16 - 6);
    install_recording_driver();
    loaded_module = image;
    const int8_t* data[32] = {};
    static const int8_t** seen = data;
    SoundDriver.define_sample = [](int n, const int8_t* d, uint32_t length, uint32_t ls, uint32_t le, int looped) {
        seen[n] = d;
        record("define " + std::to_string(n) + " " + std::to_string(length) + " " + std::to_string(ls) +
               " " + std::to_string(le) + " " + std::to_string(looped));
        return 1;
    };
    ASSERT_EQ(pt_load(loaded_module.data(), loaded_module.size()), 1);
    EXPECT_EQ(driver_calls, (std::vector<std::string>{"define 1 8 0 0 0", "define 2 10 4 10 1", "voices 4"}));
    const int8_t* end = reinterpret_cast<const int8_t*>(loaded_module.data() + loaded_module.size());
    EXPECT_EQ(data[2] + 10, end);
    EXPECT_EQ(data[1][0], 1);
    EXPECT_EQ(data[2][0], 2);
}

TEST(Loader, HeaderValuesAreKeptAsStored) {
    ModuleBuilder mod;
    mod.samples[1] = {2, 0x1F, 70, 0, 0};
    mod.samples[2] = {2, 0x08, 64, 0, 0};
    mod.restart = 127;
    mod.song_length = 3;
    ASSERT_TRUE(load_module(mod));
    EXPECT_EQ(pt_samples[1].volume, 64);
    EXPECT_EQ(pt_samples[1].finetune, 15);
    EXPECT_EQ(pt_samples[2].finetune, 8);
    EXPECT_EQ(pt_samples[1].length, 4u);
    EXPECT_EQ(pt_restart_order, 0);
    EXPECT_EQ(pt_song_length, 3);

    mod.restart = 126;
    mod.song_length = 200;  // more than the order table holds
    ASSERT_TRUE(load_module(mod));
    EXPECT_EQ(pt_restart_order, 126);
    EXPECT_EQ(pt_song_length, 128);
}

TEST(Loader, ConvertsCellsInPlace) {
    ModuleBuilder mod;
    mod.song_length = 1;
    mod.orders[0] = 0;
    mod.orders[100] = 2;  // beyond the song length: pattern 2 still occupies space
    mod.samples[1].length_words = 1;
    mod.cell(0, 0, 0, 19, 0, 12, 0x20);     // bytes 0x10 0x00 0x3C 0x20
    mod.cell(0, 0, 1, 1, 856, 0, 0);
    mod.cell(0, 1, 3, 0xA5, 857, 15, 0xFF);  // sample 165 cannot exist: none
    mod.cell(2, 63, 3, 31, 4095, 14, 0xD3);
    const std::vector<uint8_t> stored = mod.build();
    EXPECT_EQ((std::vector<uint8_t>(stored.begin() + 1084, stored.begin() + 1088)),
              (std::vector<uint8_t>{0x10, 0x00, 0x3C, 0x20}));
    ASSERT_TRUE(load_module(mod));
    const uint8_t* raw = loaded_module.data() + 1084;
    const PatternCell* p0 = pt_patterns[0];
    struct Case { const PatternCell& cell; int sample, note, effect, param; };
    const Case cases[] = {
        {p0[0], 19, 84, 12, 0x20},
        {p0[1], 1, 24, 0, 0},
        {p0[4 + 3], 0, 24, 15, 0xFF},
        {pt_patterns[2][63 * 4 + 3], 31, 0, 14, 0xD3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.cell.sample, c.sample);
        EXPECT_EQ(c.cell.note, c.note);
        EXPECT_EQ(c.cell.effect, c.effect);
        EXPECT_EQ(c.cell.param, c.param);
    }
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(p0), raw);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(pt_patterns[2]), raw + 2 * 1024);
    EXPECT_EQ(pt_patterns[3], nullptr);
    // The sample data follow the last pattern counted.
    EXPECT_EQ(loaded_module[1084 + 3 * 1024], 1);
}

TEST(Loader, Flt8PatternsArePlainEightCellRows) {
    ModuleBuilder mod;
    mod.tag = "FLT8";
    mod.channels = 8;
    mod.cell(0, 1, 7, 5, 428);
    ASSERT_TRUE(load_module(mod));
    EXPECT_EQ(pt_channel_count(), 8);
    EXPECT_EQ(pt_patterns[0][1 * 8 + 7].sample, 5);
    EXPECT_EQ(pt_patterns[0][1 * 8 + 7].note, 36);
}

TEST(Loader, PositionReadsMinus37UntilTheFirstTick) {
    ModuleBuilder mod;
    ASSERT_TRUE(load_module(mod));
    EXPECT_EQ(pt_position(), 4294967259u);
    EXPECT_EQ(static_cast<int32_t>(pt_position()), -37);
    EXPECT_EQ(pt_speed, 6);
    EXPECT_EQ(pt_tempo, 125);
}
