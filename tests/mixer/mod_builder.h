// Builds small 31-sample modules in memory for the mixer, clock and tool
// tests and the benchmarks: samples of given bytes, cells by order, row and
// channel.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct BuiltSample {
    std::vector<int8_t> data;  // even length
    int volume = 64;
    int loop_start = 0;        // bytes, even
    int loop_length = 0;       // bytes, even; 0: no loop
};

struct BuiltCell {
    int sample = 0;
    int period = 0;  // raw tracker period, 0: no note
    int effect = 0;
    int param = 0;
};

struct ModBuilder {
    int channels = 4;
    std::vector<int> orders{0};  // pattern per order
    int restart = 0;
    BuiltSample samples[32];     // index = sample number
    std::vector<BuiltCell> cells;  // patterns x 64 x channels

    int pattern_count() const
    {
        int highest = 0;
        for (int p : orders) highest = p > highest ? p : highest;
        return highest + 1;
    }

    BuiltCell& cell(int pattern, int row, int channel)
    {
        const size_t need = size_t(pattern_count()) * 64 * channels;
        if (cells.size() < need) cells.resize(need);
        return cells[(size_t(pattern) * 64 + row) * channels + channel];
    }

    std::vector<uint8_t> bytes() const
    {
        std::vector<uint8_t> out(1084, 0);
        for (int n = 1; n <= 31; ++n) {
            uint8_t* h = &out[20 + (n - 1) * 30];
            const BuiltSample& s = samples[n];
            const int words = int(s.data.size() / 2);
            h[22] = uint8_t(words >> 8);
            h[23] = uint8_t(words);
            h[25] = uint8_t(s.volume);
            h[26] = uint8_t((s.loop_start / 2) >> 8);
            h[27] = uint8_t(s.loop_start / 2);
            const int loop_words = s.loop_length > 0 ? s.loop_length / 2 : 1;
            h[28] = uint8_t(loop_words >> 8);
            h[29] = uint8_t(loop_words);
        }
        out[950] = uint8_t(orders.size());
        out[951] = uint8_t(restart);
        for (size_t i = 0; i < orders.size(); ++i) out[952 + i] = uint8_t(orders[i]);
        const char* tag = channels == 4 ? "M.K." : channels == 8 ? "8CHN" : channels == 6 ? "6CHN" : "2CHN";
        std::memcpy(&out[1080], tag, 4);
        const size_t count = size_t(pattern_count()) * 64 * channels;
        for (size_t i = 0; i < count; ++i) {
            BuiltCell c = i < cells.size() ? cells[i] : BuiltCell{};
            out.push_back(uint8_t((c.sample & 0xF0) | ((c.period >> 8) & 0x0F)));
            out.push_back(uint8_t(c.period));
            out.push_back(uint8_t(((c.sample & 0x0F) << 4) | (c.effect & 0x0F)));
            out.push_back(uint8_t(c.param));
        }
        for (int n = 1; n <= 31; ++n)
            for (int8_t b : samples[n].data) out.push_back(uint8_t(b));
        return out;
    }
};
