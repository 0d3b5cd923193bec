// Test helpers for the player: a SoundDriver that records every call as a
// line of text, and a builder for small in-memory modules whose cells each
// test states itself.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "player/player.h"
#include "player/player_state.h"

// --- Recording driver ----------------------------------------------------------

inline std::vector<std::string> driver_calls;

inline void record(const std::string& line) { driver_calls.push_back(line); }

inline void install_recording_driver() {
    driver_calls.clear();
    SoundDriver = {};
    SoundDriver.define_sample = [](int n, const int8_t*, uint32_t length, uint32_t loop_start,
                                   uint32_t loop_end, int looped) {
        record("define " + std::to_string(n) + " " + std::to_string(length) + " " +
               std::to_string(loop_start) + " " + std::to_string(loop_end) + " " +
               std::to_string(looped));
        return 1;
    };
    SoundDriver.set_voice_count = [](int n) { record("voices " + std::to_string(n)); };
    SoundDriver.select_voice = [](int n) { record("voice " + std::to_string(n)); };
    SoundDriver.set_sample = [](int n) { record("sample " + std::to_string(n)); };
    SoundDriver.set_period = [](int p) { record("period " + std::to_string(p)); };
    SoundDriver.set_volume = [](int v) { record("volume " + std::to_string(v)); };
    SoundDriver.set_panning = [](int p) { record("pan " + std::to_string(p)); };
    SoundDriver.set_position = [](uint32_t o) { record("pos " + std::to_string(o)); };
}

// The calls of one tick, without the select_voice of every channel when
// `keep_voices` is false (most effect tests watch one channel).
inline std::vector<std::string> tick_calls(bool keep_voices = false) {
    driver_calls.clear();
    pt_tick();
    pt_update_trigger_ages();
    std::vector<std::string> calls;
    for (const std::string& call : driver_calls)
        if (keep_voices || call.rfind("voice ", 0) != 0) calls.push_back(call);
    return calls;
}

// --- Module builder --------------------------------------------------------------

struct TestSample {
    uint16_t length_words = 0;
    uint8_t finetune = 0;
    uint8_t volume = 64;
    uint16_t loop_start_words = 0;
    uint16_t loop_length_words = 0;
};

struct ModuleBuilder {
    std::string tag = "M.K.";
    int channels = 4;
    uint8_t song_length = 1;
    uint8_t restart = 0;
    std::array<uint8_t, 128> orders{};
    std::array<TestSample, 32> samples{};  // index = sample number; 0 unused
    std::vector<uint8_t> pattern_bytes;    // grown as cells are set

    int pattern_count() const {
        int highest = 0;
        for (uint8_t order : orders) highest = order > highest ? order : highest;
        return highest + 1;
    }

    size_t pattern_size() const { return static_cast<size_t>(channels) * 64 * 4; }

    // A cell as stored in the file: sample number (0..255), raw period (0..4095),
    // effect (0..15) and parameter.
    ModuleBuilder& cell(int pattern, int row, int channel, int sample, int period, int effect = 0,
                        int param = 0) {
        size_t at = pattern * pattern_size() + (static_cast<size_t>(row) * channels + channel) * 4;
        if (pattern_bytes.size() < (pattern + 1) * pattern_size())
            pattern_bytes.resize((pattern + 1) * pattern_size());
        pattern_bytes[at + 0] = static_cast<uint8_t>((sample & 0xF0) | ((period >> 8) & 0x0F));
        pattern_bytes[at + 1] = static_cast<uint8_t>(period & 0xFF);
        pattern_bytes[at + 2] = static_cast<uint8_t>(((sample & 0x0F) << 4) | (effect & 0x0F));
        pattern_bytes[at + 3] = static_cast<uint8_t>(param);
        return *this;
    }

    std::vector<uint8_t> build() const {
        std::vector<uint8_t> out(1084, 0);
        std::memcpy(out.data(), "test module", 11);
        for (int s = 1; s <= 31; s++) {
            uint8_t* h = out.data() + 20 + (s - 1) * 30;
            const TestSample& smp = samples[s];
            h[22] = smp.length_words >> 8;
            h[23] = smp.length_words & 0xFF;
            h[24] = smp.finetune;
            h[25] = smp.volume;
            h[26] = smp.loop_start_words >> 8;
            h[27] = smp.loop_start_words & 0xFF;
            h[28] = smp.loop_length_words >> 8;
            h[29] = smp.loop_length_words & 0xFF;
        }
        out[950] = song_length;
        out[951] = restart;
        std::memcpy(out.data() + 952, orders.data(), 128);
        std::memcpy(out.data() + 1080, tag.data(), tag.size() < 4 ? tag.size() : 4);
        std::vector<uint8_t> patterns = pattern_bytes;
        patterns.resize(pattern_count() * pattern_size());
        out.insert(out.end(), patterns.begin(), patterns.end());
        for (int s = 1; s <= 31; s++)
            for (int i = 0; i < samples[s].length_words * 2; i++)
                out.push_back(static_cast<uint8_t>(s));  // each sample's bytes are its number
        return out;
    }
};

// Keeps the module image alive for the player, which points into it.
inline std::vector<uint8_t> loaded_module;

// Builds, installs the recording driver, loads; true on success.
inline bool load_module(const ModuleBuilder& builder) {
    install_recording_driver();
    loaded_module = builder.build();
    const int ok = pt_load(loaded_module.data(), loaded_module.size());
    driver_calls.clear();
    return ok == 1;
}
