// Bad module files, one row per kind of damage: each is either rejected by
// pt_load with a one-line reason (and then nothing plays), or loaded and
// played safely: bounded output, a song position that stays inside the song,
// converted cells within their tables. Every buffer is exactly the file's
// size, so a read past the data is an AddressSanitizer error in that build.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "player/audio.h"
#include "player/player.h"
#include "player/player_state.h"
#include "tests/fuzz/module_builder.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes cut(Bytes b, size_t n) {
    b.resize(std::min(n, b.size()));
    return b;
}

Bytes with_tag(const char* tag) {
    ModBuilder m = mod_basic();
    std::memcpy(m.tag, tag, 4);
    return m.build();
}

Bytes fifteen_sample_module() {
    // The old layout: 15 sample headers, then length, restart, orders and
    // patterns straight after, no tag.
    Bytes f = mod_basic().build();
    Bytes old(f.begin(), f.begin() + 20 + 15 * 30);
    old.insert(old.end(), f.begin() + 950, f.begin() + 1080);
    old.insert(old.end(), f.begin() + 1084, f.end());
    return old;
}

Bytes with_order(int index, int pattern) {
    ModBuilder m = mod_basic();
    m.orders[index] = uint8_t(pattern);
    return cut(m.build(), 1084 + 1024 * 2);  // rejected before patterns are read
}

// Rows of one channel filled by `fill(row)` -> (sample, period, effect, param).
Bytes with_rows(std::function<void(ModBuilder&, int row)> fill) {
    ModBuilder m = mod_basic();
    for (int r = 0; r < 64; ++r) fill(m, r);
    return m.build();
}

struct Case {
    const char* name;
    Bytes bytes;
    bool loads;
    const char* reason;  // exact pt_error() text when rejected
};

const char* const kShort = "pt_takemod error: module shorter than its header!";
const char* const kUnknown = "pt_takemod error: unknown module type!";
const char* const kPatternNumber = "pt_takemod error: pattern number above 127!";
const char* const kPatternsCut = "pt_takemod error: pattern data cut short!";

std::vector<Case> cases() {
    const Bytes basic = mod_basic().build();
    const size_t header = 1084, patterns = 2 * 1024;
    return {
        {"empty file", {}, false, kShort},
        {"one byte", Bytes(1, 'M'), false, kShort},
        {"cut inside the sample headers", cut(basic, 500), false, kShort},
        {"cut inside the order table", cut(basic, 1000), false, kShort},
        {"cut inside the tag", cut(basic, 1082), false, kShort},
        {"cut right after the tag", cut(basic, header), false, kPatternsCut},
        {"cut inside the patterns", cut(basic, header + 1500), false, kPatternsCut},
        {"cut one byte before the samples", cut(basic, header + patterns - 1), false, kPatternsCut},
        {"cut before the first sample byte", cut(basic, header + patterns), true, nullptr},
        {"cut inside the samples", cut(basic, header + patterns + 200), true, nullptr},
        {"last byte missing", cut(basic, basic.size() - 1), true, nullptr},
        {"unknown tag", with_tag("ABCD"), false, kUnknown},
        {"tag in lower case", with_tag("m.k."), false, kUnknown},
        {"the terminator as tag", with_tag("STOP"), false, kUnknown},
        {"15-sample module", fifteen_sample_module(), false, kUnknown},
        {"pattern number 128", with_order(0, 128), false, kPatternNumber},
        {"pattern number 255 beyond the song length", with_order(127, 255), false, kPatternNumber},
        {"pattern number 127", [] {
             ModBuilder m = mod_basic();
             m.orders[1] = 127;
             return m.build();
         }(), true, nullptr},
        {"sample numbers 32..255", with_rows([](ModBuilder& m, int r) {
             m.cell(0, r, r % 4, 32 + r * 3, 428, 0, 0);
         }), true, nullptr},
        {"break rows 64..165", with_rows([](ModBuilder& m, int r) {
             if (r % 4 == 3) m.cell(0, r, 1, 0, 0, 13, 0x64 + (r / 4) * 0x10 % 0xA0);
             if (r == 1) m.cell(1, r, 1, 0, 0, 13, 0xFF);
         }), true, nullptr},
        {"arpeggio past the table", with_rows([](ModBuilder& m, int r) {
             m.cell(0, r, 0, 2, r % 2 ? 28 : 113, 0, 0xFF);  // note index 83 + 15
             m.cell(1, r, 0, 2, 0, 14, 0x5F);                // finetune row 15
         }), true, nullptr},
        {"every effect at 0x00 and 0xFF", with_rows([](ModBuilder& m, int r) {
             int e = r % 16;
             int p = (r / 16) % 2 ? 0xFF : 0x00;
             if (e == 15 && p == 0) p = 1;  // speed 0 has its own row
             m.cell(0, r, 0, 1, 28, e, p);
             m.cell(1, r, 1, 0, 0, e, 0xFF - (r / 16) % 2 * 0x0F);
             m.cell(0, r, 2, 0, 4095, 14, (r % 16) << 4 | 0xF);
         }), true, nullptr},
        {"speed 0 (F00)", with_rows([](ModBuilder& m, int r) {
             if (r == 2) m.cell(0, r, 0, 18, 428, 15, 0);
         }), true, nullptr},
        {"slides and vibrato on a channel without a note", with_rows([](ModBuilder& m, int r) {
             m.cell(0, r, 3, 0, 0, 1 + r % 7, 0xFF);
         }), true, nullptr},
        {"volume 255 through Cxx on every channel", with_rows([](ModBuilder& m, int r) {
             for (int c = 0; c < 4; ++c) m.cell(0, r, c, 1, 113 + c, 12, 0xFF);
         }), true, nullptr},
        {"sample header extremes", [] {
             ModBuilder m = mod_basic();
             m.sample(1, 0xFFFF, 0xFF, 0xFF, 0xFFFF, 0xFFFF);  // cut by the file's end
             m.sample(2, 1, 70, 0x1F, 5, 9);                   // loop beyond a 2-byte sample
             Bytes f = m.build();
             return cut(f, f.size() - 0x1FFFE + 300);
         }(), true, nullptr},
        {"song length 0", [] {
             ModBuilder m = mod_basic();
             m.song_length = 0;
             return m.build();
         }(), true, nullptr},
        {"longer than the 4,000,000-byte buffer, cut as start-up reads it", [] {
             ModBuilder m = mod_basic();
             for (int n = 1; n <= 31; ++n) m.sample(n, 0xFFFF, 64, n % 16, 0x100, 0xFF00);
             Bytes f = m.build();  // 2 x 1024 + 31 x 131070 bytes after the header
             return cut(f, 4000000);
         }(), true, nullptr},
        {"song length 255, restart 255", [] {
             ModBuilder m = mod_basic();
             m.song_length = 255;
             m.restart = 255;
             return m.build();
         }(), true, nullptr},
    };
}

// Plays three seconds in device buffers and checks every output value and
// the song position after each buffer.
void play_safely(int channels) {
    static int16_t out[4096 * 2];
    snd_clock_reset();
    for (int b = 0; b < 33; ++b) {
        snd_render(out, 4096);
        for (int16_t v : out) ASSERT_LE(std::abs(int(v)), 32763);
        int32_t position = int32_t(pt_position());
        ASSERT_GE(position % 100, -1) << "position " << position;  // a loop row may show -1
        ASSERT_LE(position % 100, 63) << "position " << position;
        ASSERT_LT(position / 100, 128) << "position " << position;
    }
    for (int n = 0; n < 128; ++n) {
        if (!pt_patterns[n]) continue;
        for (int k = 0; k < 64 * channels; ++k) {
            ASSERT_LE(pt_patterns[n][k].sample, 31);
            ASSERT_LE(pt_patterns[n][k].note, 84);
            ASSERT_LE(pt_patterns[n][k].effect, 15);
        }
    }
}

}  // namespace

TEST(BadModules, RejectedWithOneLineOrPlayedSafely) {
    for (Case& c : cases()) {
        SCOPED_TRACE(c.name);
        snd_open_offline(44100, 4096);  // no voice or sample left from the case before
        // Exactly the file's size: nothing may be read beyond it.
        std::unique_ptr<uint8_t[]> buffer(new uint8_t[c.bytes.size() + (c.bytes.empty() ? 1 : 0)]);
        std::copy(c.bytes.begin(), c.bytes.end(), buffer.get());
        int loaded = pt_load(buffer.get(), c.bytes.size());
        ASSERT_EQ(loaded, c.loads ? 1 : 0) << "pt_error: " << pt_error();
        if (!loaded) {
            EXPECT_STREQ(pt_error(), c.reason);
            EXPECT_EQ(pt_position(), 0u);
            EXPECT_EQ(pt_song_loaded(), 0);
            // The clock must not tick a rejected song: silence, position unchanged.
            static int16_t out[4096 * 2];
            std::memset(out, 0x55, sizeof out);
            snd_clock_reset();
            snd_render(out, 4096);
            for (int16_t v : out) ASSERT_EQ(v, 0);
            EXPECT_EQ(pt_position(), 0u);
            continue;
        }
        play_safely(pt_channel_count());
    }
}

// A load that fails after a good one must not leave the old song playable
// with the new (half-converted) buffer, nor keep its channel count.
TEST(BadModules, FailedLoadAfterGoodOneStopsPlayback) {
    Bytes good = mod_basic().build();
    Bytes bad = cut(mod_basic().build(), 1084 + 100);
    snd_open_offline(44100, 4096);
    ASSERT_EQ(pt_load(good.data(), good.size()), 1);
    ASSERT_EQ(pt_load(bad.data(), bad.size()), 0);
    EXPECT_EQ(pt_song_loaded(), 0);
    EXPECT_EQ(pt_channel_count(), 0);
    static int16_t out[4096 * 2];
    snd_clock_reset();
    snd_render(out, 4096);
    EXPECT_EQ(pt_position(), 0u);
}

#ifdef MODRENDER_PATH
namespace {

struct Outcome {
    int status;
    std::string out, err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

Outcome run_modrender(const std::string& module) {
    const std::string out = module + ".out", err = module + ".err";
    const std::string cmd = std::string(MODRENDER_PATH) + " --seconds 1 '" + module + "' >'" + out +
                            "' 2>'" + err + "'";
    int raw = std::system(cmd.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
}

}  // namespace

// The same table through the command-line renderer: a rejected module is one
// line on stderr naming the file and the reason, with exit status 1; a
// loaded one renders and exits 0.
TEST(BadModules, ModrenderSaysOneLineAndExits1) {
    char tmpl[] = "/tmp/zk_badmod_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string dir = tmpl;
    int n = 0;
    for (Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const std::string path = dir + "/case" + std::to_string(n++) + ".mod";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(c.bytes.data()), std::streamsize(c.bytes.size()));
        Outcome r = run_modrender(path);
        if (c.loads) {
            EXPECT_EQ(r.status, 0) << r.err;
            continue;
        }
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("modrender: " + path + ": ", 0), 0u) << r.err;
        if (!c.bytes.empty()) {
            EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        }
    }
    std::string cleanup = "rm -rf '" + dir + "'";
    ASSERT_EQ(std::system(cleanup.c_str()), 0);
}
#endif
