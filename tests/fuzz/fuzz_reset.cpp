#include "tests/fuzz/fuzz_reset.h"

#include <cmath>
#include <cstring>

#include "mixer/mixer.h"
#include "player/audio.h"
#include "player/player_state.h"

namespace {

uint8_t g_channel_pan[32];
PtChannel g_channels[PT_MAX_CHANNELS];

}  // namespace

void zk_fuzz_save_start_state() {
    std::memcpy(g_channel_pan, pt_channel_pan, sizeof g_channel_pan);
    std::memcpy(g_channels, pt_chan, sizeof g_channels);
}

void zk_fuzz_restore_start_state() {
    // A second mix_init hands back the first one's memory and resets every
    // voice, sample record and delay line: the state start-up leaves.
    snd_open_offline(44100, 4096);
    std::memcpy(pt_channel_pan, g_channel_pan, sizeof g_channel_pan);
    std::memcpy(pt_chan, g_channels, sizeof g_channels);
    for (auto& age : pt_trigger_age) age.store(999999, std::memory_order_relaxed);
}

bool zk_fuzz_mix_is_finite() {
    for (const MixBus& bus : mix_buses) {
        if (!bus.buffer) continue;
        for (int k = 0; k < bus.frames * bus.channels; ++k)
            if (!std::isfinite(bus.buffer[k])) return false;
    }
    return true;
}
