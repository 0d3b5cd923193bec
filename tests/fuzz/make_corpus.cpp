// Writes the fuzzer's seed corpus: small modules of our own that reach every
// type tag, every effect and sub-effect with ordinary and extreme parameters,
// order loops and jumps, and files cut or padded at awkward lengths.
//
//   make_fuzz_corpus SEEDS REGRESSIONS
// writes SEEDS/<name>.mod, and REGRESSIONS/<name>.mod: the hazards of the
// format that the player and mixer guard against, kept beside the inputs
// the fuzzer has found (both folders must exist).
#include <cstdio>
#include <string>
#include <vector>

#include "tests/fuzz/module_builder.h"

namespace {

std::string g_dir;
int g_written = 0;

bool write_file(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = g_dir + "/" + name + ".mod";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "make_fuzz_corpus: cannot write %s\n", path.c_str());
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) std::fprintf(stderr, "make_fuzz_corpus: cannot write %s\n", path.c_str());
    ++g_written;
    return ok;
}

std::vector<uint8_t> cut(std::vector<uint8_t> v, size_t n) {
    v.resize(std::min(n, v.size()));
    return v;
}

// One module per tag: notes on every channel so that every voice plays.
bool tags() {
    static const struct { const char* tag; int channels; } kTags[] = {
        {"2CHN", 2},  {"4CHN", 4},  {"M.K.", 4},  {"M!K!", 4},  {"FLT4", 4},
        {"FLT8", 8},  {"OCTA", 8},  {"6CHN", 6},  {"8CHN", 8},  {"10CH", 10},
        {"12CH", 12}, {"14CH", 14}, {"16CH", 16}, {"18CH", 18}, {"20CH", 20},
        {"22CH", 22}, {"24CH", 24}, {"26CH", 26}, {"28CH", 28}, {"30CH", 30},
        {"32CH", 32},
    };
    bool ok = true;
    for (const auto& t : kTags) {
        ModBuilder m;
        m.set_tag(t.tag, t.channels);
        m.sample(1, 32, 64, 0, 0, 32).sample(2, 50, 40).sample(31, 20, 64, 7, 2, 8);
        for (int c = 0; c < t.channels; ++c)
            for (int r = c % 4; r < 64; r += 4)
                m.cell(0, r, c, 1 + (c % 2) * (c % 3 == 0 ? 30 : 1), 856 >> (c % 4), 0, 0);
        std::string name = std::string("tag_") + t.tag;
        for (char& ch : name) {
            if (ch == '.') ch = '_';
            if (ch == '!') ch = 'x';
        }
        ok &= write_file(name, m.build());
    }
    // Rejected types: a 15-sample layout (no tag, patterns from byte 600),
    // "M.K." in lower case, the terminator itself, and zero bytes.
    ModBuilder m = mod_basic();
    std::vector<uint8_t> f = m.build();
    std::vector<uint8_t> fifteen(f.begin(), f.begin() + 470);
    fifteen.insert(fifteen.end(), f.begin() + 950, f.begin() + 1080);
    fifteen.insert(fifteen.end(), f.begin() + 1084, f.end());
    ok &= write_file("reject_15_samples", fifteen);
    ok &= write_file("reject_lowercase_mk", m.set_tag("m.k.", 4).build());
    ok &= write_file("reject_stop", mod_basic().set_tag("STOP", 4).build());
    ok &= write_file("reject_zero_tag", mod_basic().set_tag("\0\0\0\0", 4).build());
    return ok;
}

// Effect 0..15 with a spread of parameters on every channel, rows long
// enough for the other-tick actions to run.
bool effects() {
    static const int kParams[] = {0x00, 0x01, 0x0F, 0x10, 0x37, 0x7F, 0x80, 0xF0, 0xFF, 0x99};
    bool ok = true;
    for (int e = 0; e < 16; ++e) {
        if (e == 14) continue;  // sub-effects below
        ModBuilder m = mod_basic();
        for (int r = 0; r < 64; ++r) {
            int p = kParams[r % 10];
            if (e == 11 || e == 13) p = r == 40 ? (e == 11 ? 0 : 0x99) : (r == 63 ? 1 : -1);
            if (e == 15) p = r % 8 == 0 ? kParams[(r / 8) % 10] : -1;
            if (p < 0) continue;
            m.cell(0, r, r % 4, r % 3 == 0 ? 2 : 0, r % 5 == 0 ? 0 : 428 + r, e, p);
            m.cell(1, r, (r + 1) % 4, 1, 3424 - r * 50, e, 255 - p);
        }
        char name[32];
        std::snprintf(name, sizeof name, "effect_%X", e);
        ok &= write_file(name, m.build());
    }
    for (int sub = 0; sub < 16; ++sub) {
        ModBuilder m = mod_basic();
        for (int r = 0; r < 64; ++r)
            m.cell(r / 32, r % 32 * 2, r % 4, r % 2 ? 3 : 0, r % 7 ? 300 + 10 * r : 0, 14,
                   (sub << 4) | (r % 16));
        char name[32];
        std::snprintf(name, sizeof name, "effect_E%X", sub);
        ok &= write_file(name, m.build());
    }
    // Modulation at its limits: vibrato and tremolo on every waveform at full
    // depth and speed, on tiny periods and on a channel that has no note.
    ModBuilder v = mod_basic();
    for (int r = 0; r < 64; ++r) {
        v.cell(0, r, 0, r == 0 ? 1 : 0, r == 0 ? 28 : 0, r % 8 == 7 ? 14 : 4,
               r % 8 == 7 ? 0x40 | (r / 8 % 8) : 0xFF);
        v.cell(0, r, 1, 0, 0, r % 2 ? 6 : 4, 0xFF);
        v.cell(0, r, 2, r % 16 == 0 ? 3 : 0, r % 16 == 0 ? 113 : 0, r % 8 == 7 ? 14 : 7,
               r % 8 == 7 ? 0x70 | (r / 8 % 8) : 0xFF);
        v.cell(0, r, 3, 2, 4095 - r, 0, 0xFF);  // arpeggio past the table's end
    }
    ok &= write_file("modulation_extremes", v.build());
    // Tone portamento with glissando across the whole range, both directions.
    ModBuilder g = mod_basic();
    for (int r = 0; r < 64; ++r) {
        g.cell(0, r, 0, r % 16 == 0 ? 1 : 0, r % 16 == 0 ? (r % 32 ? 28 : 3424) : 0,
               r % 16 == 1 ? 14 : 3, r % 16 == 1 ? 0x31 : 0xFF);
        g.cell(0, r, 1, 0, r % 8 == 0 ? 856 : 0, 5, r % 2 ? 0xF0 : 0x0F);
    }
    ok &= write_file("portamento_glissando", g.build());
    return ok;
}

// Order structure: loops, jumps backward, breaks beyond the pattern, pattern
// delays, speed 0, restart orders, the whole 128-entry order table.
bool structure() {
    bool ok = true;
    ModBuilder a = mod_basic();
    a.song_length = 128;
    for (int i = 0; i < 128; ++i) a.orders[i] = uint8_t(i % 3);
    a.cell(2, 10, 0, 1, 428, 14, 0x60).cell(2, 20, 0, 1, 428, 14, 0x63);
    a.cell(2, 30, 1, 0, 0, 14, 0xE3).cell(2, 40, 2, 0, 0, 13, 0xF9);  // break row 159
    ok &= write_file("orders_full_table", a.build());

    ModBuilder b = mod_basic();
    b.song_length = 3;
    b.restart = 200;
    b.orders[0] = 1;
    b.orders[1] = 0;
    b.orders[2] = 1;
    b.cell(0, 5, 3, 0, 0, 11, 0);     // jump back to order 0
    b.cell(1, 63, 2, 0, 0, 11, 250);  // jump past the song length
    ok &= write_file("orders_jumps", b.build());

    ModBuilder c = mod_basic();
    c.cell(0, 3, 0, 18, 428, 15, 0);  // speed 0: the row repeats for ever
    ok &= write_file("speed_zero", c.build());

    ModBuilder d = mod_basic();
    d.cell(0, 0, 0, 18, 428, 15, 0x01).cell(0, 0, 1, 0, 0, 15, 0xFF);  // fastest rows
    d.cell(0, 8, 2, 0, 0, 15, 0x20).cell(0, 9, 3, 0, 0, 15, 0x1F);    // slowest tempo
    ok &= write_file("speed_tempo_limits", d.build());

    ModBuilder e = mod_basic();
    e.song_length = 2;
    e.restart = 1;
    e.orders[100] = 9;  // beyond the song length: still counted as a pattern
    e.cell(0, 1, 0, 0, 0, 13, 0x63).cell(1, 2, 1, 0, 0, 13, 0x64);
    ok &= write_file("orders_unused_high_pattern", e.build());

    ModBuilder h = mod_basic();
    h.orders[0] = 127;
    ok &= write_file("pattern_127", h.build());
    // Rejected before any pattern is read: one pattern's worth is enough.
    h.orders[0] = 128;
    ok &= write_file("pattern_128", cut(h.build(), 1084 + 1024));
    h.orders[0] = 0;
    h.orders[127] = 255;
    ok &= write_file("pattern_255_late", cut(h.build(), 1084 + 1024));

    ModBuilder s = mod_basic();
    for (int r = 0; r < 64; ++r) s.cell(0, r, r % 4, 32 + r * 3, 428, 0, 0);  // samples 32..221
    ok &= write_file("sample_numbers_high", s.build());
    return ok;
}

// Samples: odd and zero lengths, loops past the end, offsets past the end,
// header fields at their extremes, and files cut or padded.
bool samples_and_lengths() {
    bool ok = true;
    ModBuilder m = mod_basic();
    m.sample(4, 1, 255, 0xFF, 0, 1);        // 2-byte sample, volume 255, finetune 0xFF
    m.sample(5, 3, 64, 8, 2, 4);            // loop end past the sample
    m.sample(6, 10, 64, 0, 0xFFFF, 0xFFFF);  // loop far beyond everything
    m.sample(7, 2, 64, 0, 0, 2);            // loop of the whole, minimal
    for (int r = 0; r < 64; ++r) {
        m.cell(0, r, 0, 4 + r % 4, 113 + r, r % 3 == 0 ? 9 : 0, r * 4);
        m.cell(1, r, 1, 4 + r % 4, 28, 9, 0xFF);
    }
    ok &= write_file("samples_odd", m.build());

    ModBuilder big = mod_basic();
    big.sample(30, 0xFFFF, 64, 0, 0, 0xFFFF);  // claims 131070 bytes
    std::vector<uint8_t> f = big.build();
    ok &= write_file("sample_claims_more", cut(f, f.size() - 131070 + 500));
    ok &= write_file("sample_full_64k", f);

    std::vector<uint8_t> basic = mod_basic().build();
    static const size_t kCuts[] = {0, 1, 20, 949, 951, 1079, 1083, 1084, 1085, 1084 + 1023,
                                   1084 + 1024, 1084 + 2047, 1084 + 2048, 1084 + 2049};
    for (size_t n : kCuts) ok &= write_file("cut_" + std::to_string(n), cut(basic, n));
    ok &= write_file("cut_last_byte", cut(basic, basic.size() - 1));
    ok &= write_file("cut_last_two_bytes", cut(basic, basic.size() - 2));
    std::vector<uint8_t> padded = basic;
    padded.resize(basic.size() + 777, 0x80);
    ok &= write_file("padded", padded);
    std::vector<uint8_t> ones(1084 + 1024, 0xFF);
    std::memcpy(&ones[1080], "M.K.", 4);
    ok &= write_file("all_ff", ones);
    return ok;
}

// Each of these once could, or in a plain reading of the format would,
// index a table out of bounds or read outside the module.
bool hazards() {
    bool ok = true;
    // B00 in order 0: the position reads -37 for the rest of the row while
    // samples 3 and 4 sound through the vowel filter, whose set comes from it.
    ModBuilder a = mod_basic();
    for (int r = 0; r < 64; r += 8) a.cell(0, r, 0, 3, 428, 0, 0).cell(0, r + 1, 1, 4, 214, 0, 0);
    a.sample(4, 50, 64, 0, 0, 50);
    a.cell(0, 9, 2, 0, 0, 11, 0x00);
    ok &= write_file("jump_to_order_0_negative_position", a.build());
    // Break rows 64..165.
    ModBuilder b = mod_basic();
    b.cell(0, 4, 2, 0, 0, 13, 0xFF).cell(1, 7, 1, 0, 0, 13, 0x64);
    ok &= write_file("break_row_beyond_pattern", b.build());
    // Arpeggio reaching past the last note, on the last finetune row.
    ModBuilder c = mod_basic();
    c.sample(2, 100, 48, 0x0F);
    for (int r = 0; r < 64; ++r) c.cell(0, r, 0, r % 8 ? 0 : 2, r % 8 ? 0 : 28, 0, 0xFF);
    ok &= write_file("arpeggio_past_table", c.build());
    // Sample numbers above 31 in the cells.
    ModBuilder d = mod_basic();
    for (int r = 0; r < 64; ++r) d.cell(0, r, r % 4, 0xE0 | r % 16, 428, 0, 0);
    ok &= write_file("sample_number_above_31", d.build());
    // Loops that end past their sample, and a sample cut by the file's end.
    ModBuilder e = mod_basic();
    e.sample(1, 8, 64, 0, 6, 40).sample(2, 0xFFFF, 64, 0, 0x7000, 0x8FFF);
    for (int r = 0; r < 64; r += 2) e.cell(0, r, r % 4, 1 + r % 2, 113, 9, r);
    std::vector<uint8_t> f = e.build();
    ok &= write_file("loop_past_sample_end", cut(f, f.size() - 100000));
    // Vibrato at full depth on a channel that never had a note (period 0).
    ModBuilder v = mod_basic();
    for (int r = 0; r < 64; ++r) v.cell(0, r, 1, r == 0 ? 2 : 0, 0, 4, 0xFF);
    ok &= write_file("vibrato_without_note", v.build());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_fuzz_corpus SEED_DIR REGRESSION_DIR\n");
        return 1;
    }
    g_dir = argv[1];
    if (!(tags() && effects() && structure() && samples_and_lengths())) return 1;
    g_dir = argv[2];
    if (!hazards()) return 1;
    std::fprintf(stderr, "make_fuzz_corpus: %d modules written to %s and %s\n", g_written, argv[1],
                 argv[2]);
    return 0;
}
