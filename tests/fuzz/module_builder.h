// Builds 31-sample tracker module files in memory, byte for byte as they lie
// on disk, so that tests and the fuzz corpus can make modules with any header,
// pattern and sample content, including broken ones. Test-side code only.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

struct ModSampleSpec {
    uint16_t length_words = 0;
    uint8_t finetune = 0;  // stored byte, low nibble used
    uint8_t volume = 64;   // stored byte, may exceed 64 on purpose
    uint16_t loop_start_words = 0;
    uint16_t loop_length_words = 0;
    // Sample bytes; when shorter than 2 x length_words the rest is synthesised.
    std::vector<int8_t> data;
};

struct ModBuilder {
    char tag[4] = {'M', '.', 'K', '.'};
    int channels = 4;  // cells per row in the pattern data
    uint8_t song_length = 1;
    uint8_t restart = 0;
    uint8_t orders[128] = {};
    ModSampleSpec samples[31];
    std::vector<uint8_t> patterns;  // 256 x channels bytes per pattern

    // Sets the tag and the matching cell count.
    ModBuilder& set_tag(const char* t, int chans) {
        std::memcpy(tag, t, 4);
        if (chans != channels) patterns.clear();  // rows of another width
        channels = chans;
        return *this;
    }

    int pattern_bytes() const { return channels * 256; }

    // Pattern count implied by the order table: 1 + its largest entry.
    int pattern_count() const {
        return 1 + *std::max_element(orders, orders + 128);
    }

    // Writes one stored cell. `sample` may be up to 255 (the file holds 8 bits:
    // high nibble in byte 0, low nibble in byte 2), `period` up to 4095.
    ModBuilder& cell(int pattern, int row, int channel, int sample, int period,
                     int effect, int param) {
        size_t need = size_t(pattern + 1) * pattern_bytes();
        if (patterns.size() < need) patterns.resize(need, 0);
        uint8_t* c = &patterns[size_t(pattern) * pattern_bytes() + size_t(row) * channels * 4 +
                               size_t(channel) * 4];
        c[0] = uint8_t((sample & 0xF0) | ((period >> 8) & 0x0F));
        c[1] = uint8_t(period & 0xFF);
        c[2] = uint8_t(((sample & 0x0F) << 4) | (effect & 0x0F));
        c[3] = uint8_t(param);
        return *this;
    }

    // A short looped or one-shot sample with synthesised data.
    ModBuilder& sample(int n, int length_words, int volume = 64, int finetune = 0,
                       int loop_start_words = 0, int loop_length_words = 0) {
        ModSampleSpec& s = samples[n - 1];
        s.length_words = uint16_t(length_words);
        s.volume = uint8_t(volume);
        s.finetune = uint8_t(finetune);
        s.loop_start_words = uint16_t(loop_start_words);
        s.loop_length_words = uint16_t(loop_length_words);
        return *this;
    }

    // The whole file. Sample data left unset is a decaying saw so
    // that every sample makes sound and its last bytes are not zero.
    std::vector<uint8_t> build() const {
        std::vector<uint8_t> f(1084, 0);
        std::memcpy(&f[0], "builder module\0\0\0\0\0", 20);
        for (int i = 0; i < 31; ++i) {
            const ModSampleSpec& s = samples[i];
            uint8_t* h = &f[20 + 30 * i];
            std::snprintf(reinterpret_cast<char*>(h), 22, "s%02d", i + 1);
            h[22] = uint8_t(s.length_words >> 8);
            h[23] = uint8_t(s.length_words);
            h[24] = s.finetune;
            h[25] = s.volume;
            h[26] = uint8_t(s.loop_start_words >> 8);
            h[27] = uint8_t(s.loop_start_words);
            h[28] = uint8_t(s.loop_length_words >> 8);
            h[29] = uint8_t(s.loop_length_words);
        }
        f[950] = song_length;
        f[951] = restart;
        std::memcpy(&f[952], orders, 128);
        std::memcpy(&f[1080], tag, 4);
        std::vector<uint8_t> pat(size_t(pattern_count()) * pattern_bytes(), 0);
        std::copy_n(patterns.begin(), std::min(patterns.size(), pat.size()), pat.begin());
        f.insert(f.end(), pat.begin(), pat.end());
        for (int i = 0; i < 31; ++i) {
            const ModSampleSpec& s = samples[i];
            size_t bytes = size_t(s.length_words) * 2;
            for (size_t k = 0; k < bytes; ++k) {
                int8_t v = k < s.data.size()
                               ? s.data[k]
                               : int8_t(std::lround((int(k * (i + 3)) % 64 - 32) * 3.5 *
                                                    std::exp(-double(k) / (bytes + 1))));
                f.push_back(uint8_t(v));
            }
        }
        return f;
    }
};

// A small playable four-channel song: two patterns, a few samples, notes on
// every channel. The base for most variations.
inline ModBuilder mod_basic() {
    ModBuilder m;
    m.song_length = 2;
    m.orders[0] = 0;
    m.orders[1] = 1;
    m.sample(1, 64, 64, 0, 0, 64);  // looped over its whole length
    m.sample(2, 100, 48);           // one-shot
    m.sample(3, 40, 64, 3, 8, 32);  // looped, loop ends at the sample's end
    m.sample(18, 80, 64);           // the kick that drives the pulses
    m.sample(19, 30, 50, 15, 10, 1);  // loop length 1 word: not looped
    static const int periods[] = {856, 428, 214, 113, 570, 339};
    for (int p = 0; p < 2; ++p)
        for (int r = 0; r < 64; r += 4) {
            m.cell(p, r, 0, 18, 428, 0, 0);
            m.cell(p, r + 2, 1, 19, periods[(r / 2) % 6], 0, 0);
            m.cell(p, r, 2, 1 + (r / 4) % 3, periods[(r / 4) % 6], 0, 0);
            m.cell(p, r + 1, 3, 3, periods[(r / 4 + 2) % 6], 0, 0);
        }
    return m;
}

// mod_basic with every effect and every E sub-effect somewhere in its two
// patterns, at ordinary and at extreme parameters (no speed 0, no jumps, so
// that the song keeps moving through its orders).
inline ModBuilder mod_all_effects() {
    ModBuilder m = mod_basic();
    static const int kParams[] = {0x00, 0x01, 0x37, 0x0F, 0xF0, 0xFF, 0x88, 0x42};
    for (int r = 0; r < 64; ++r) {
        int e = r % 16;
        int p = kParams[r % 8];
        if (e == 11 || e == 13) e = 0;  // order movement is the structure tests' job
        if (e == 14) p = ((r / 16) * 4 + r % 4) << 4 | (r % 8);
        if (e == 15) p = r < 32 ? 3 + r % 4 : 0x20 + r;
        m.cell(0, r, 1, r % 5 == 0 ? 3 : 0, r % 3 ? 214 + 7 * r : 0, e, p);
        int e2 = (e + 7) % 16;
        int p2 = 255 - p;
        if (e2 == 11 || e2 == 13) e2 = 10;
        if (e2 == 15) p2 = 0x7D;
        m.cell(1, r, 3, 1, r % 2 ? 113 : 856, e2, p2);
    }
    return m;
}
