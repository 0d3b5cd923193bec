// One fuzz input: the bytes as a whole module file, in a buffer of exactly
// their size so that AddressSanitizer sees any read past the file, loaded and
// then played through snd_render, the path the audio device takes, in
// device-sized buffers with a few odd lengths mixed in.
#include "tests/fuzz/fuzz_module.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "player/audio.h"
#include "player/player.h"
#include "player/player_state.h"
#include "tests/fuzz/fuzz_reset.h"

namespace {

constexpr int kDeviceFrames = 4096;
// Buffer lengths cycled through: the device's, plus lengths that cut ticks
// at unusual places (0 and 1 included).
constexpr int kBufferFrames[] = {4096, 1, 4096, 0, 2047, 4096, 882, 3};

int16_t g_out[kDeviceFrames * 2];

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "zk_fuzz_module: %s\n", what);
    std::abort();
}

void check_rejection() {
    const char* e = pt_error();
    if (!e || !*e) fail("a rejected module left no reason in pt_error()");
    if (std::strchr(e, '\n')) fail("pt_error() is not one line");
    if (pt_song_loaded()) fail("a rejected module counts as loaded");
    if (pt_position() != 0) fail("pt_position() is not 0 after a failed load");
}

// The sequencer's view of the song must stay inside it: a row pointer
// outside its pattern still lies inside the module buffer, where
// AddressSanitizer cannot tell it from a good one.
void check_sequencer() {
    if (!pt_current_row) return;
    const PatternCell* start = pt_patterns[pt_current_pattern];
    if (pt_current_pattern < 0 || pt_current_pattern > 127 || !start)
        fail("current pattern outside the pattern table");
    if (pt_current_row < start || pt_current_row >= start + 64 * pt_channels)
        fail("current row outside its pattern");
    int32_t row = pt_row.load(std::memory_order_relaxed);
    int32_t order = pt_order_index.load(std::memory_order_relaxed);
    // A loop row shows as row - 1 and a jump as order p - 1 until the next row.
    if (row < -1 || row > 63) fail("row outside -1..63");
    if (order < -1 || order > 254) fail("order index outside -1..254");
    for (const auto& age : pt_trigger_age)
        if (age.load(std::memory_order_relaxed) < 0) fail("negative trigger age after a tick");
}

void play() {
    snd_clock_reset();
    int done = 0;
    for (int i = 0; done < ZK_FUZZ_FRAMES; ++i) {
        int n = kBufferFrames[i % (sizeof kBufferFrames / sizeof kBufferFrames[0])];
        std::memset(g_out, 0x55, sizeof g_out);  // stale contents must not survive
        snd_render(g_out, n);
        for (int k = 0; k < 2 * n; ++k)
            if (g_out[k] > 32763 || g_out[k] < -32763) fail("output sample beyond +-32763");
        // Frames past the requested count belong to the caller.
        if (n < kDeviceFrames && g_out[2 * n] != 0x5555) fail("snd_render wrote past its frames");
        if (!zk_fuzz_mix_is_finite()) fail("non-finite value on a mixer bus");
        check_sequencer();
        done += n;
    }
}

}  // namespace

int zk_fuzz_module(const uint8_t* data, size_t size) {
    static const bool opened = [] {
        snd_open_offline(44100, kDeviceFrames);
        zk_fuzz_save_start_state();
        return true;
    }();
    (void)opened;
    zk_fuzz_restore_start_state();

    // The mixer was emptied above, so the previous input may go now.
    static std::unique_ptr<uint8_t[]> buffer;
    buffer.reset(new uint8_t[size ? size : 1]);
    if (size) std::memcpy(buffer.get(), data, size);
    if (!pt_load(buffer.get(), size)) {
        check_rejection();
        return 0;
    }
    if (!pt_song_loaded()) fail("pt_load succeeded but the song is not loaded");
    play();
    return 0;
}
