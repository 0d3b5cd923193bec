// The audio path must never wait on the system: once start-up is done,
// rendering allocates nothing and takes no lock, over whole stretches of a
// song that uses every effect, and over the production's own module.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "player/audio.h"
#include "player/player.h"
#include "tests/fuzz/module_builder.h"
#include "tests/robustness/alloc_counter.h"

namespace {

std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Renders up to `seconds` of the loaded song in device-sized buffers, or
// until the production's end position, counting what the render thread does.
AllocCounts render_counted(double seconds) {
    static int16_t out[4096 * 2];
    long buffers = long(seconds * 44100 / 4096) + 1;
    alloc_counter_begin();
    for (long i = 0; i < buffers; ++i) {
        snd_render(out, 4096);
        int32_t position = int32_t(pt_position());
        if (position >= 1550) break;
    }
    return alloc_counter_end();
}

}  // namespace

static_assert(std::atomic<int32_t>::is_always_lock_free,
              "the values shared with the audio thread must not hide a lock");

// The counter itself must see what it is meant to catch, or a zero proves nothing.
TEST(RealtimeSafety, CounterSeesAllocationsAndLocks) {
    std::mutex m;
    alloc_counter_begin();
    int* volatile p = new int(3);
    delete p;
    std::vector<int> v(100);
    m.lock();
    m.unlock();
    AllocCounts c = alloc_counter_end();
    EXPECT_GE(c.allocations, 2);
    if (alloc_counter_sees_locks()) {
        EXPECT_GE(c.locks, 1);
    }
}

TEST(RealtimeSafety, RenderingAllocatesNothingAndTakesNoLock) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        double seconds;
    };
    std::vector<Case> cases = {
        {"every effect, 4 channels", mod_all_effects().build(), 40},
        {"32 channels", [] {
             ModBuilder m = mod_basic();
             m.set_tag("32CH", 32);
             m.sample(1, 64, 64, 0, 0, 64).sample(3, 40, 64, 3, 8, 32);
             for (int r = 0; r < 64; ++r)
                 for (int c = 0; c < 32; ++c) m.cell(0, r, c, 1 + 2 * (c % 2), 856 - 20 * c, 4, 0x8F);
             return m.build();
         }(), 10},
    };
    std::vector<uint8_t> afro = read_file(ZK_SOURCE_DIR "/data/afro.mod");
    if (!afro.empty()) {
        afro.resize(4000000, 0);  // the production's buffer
        cases.push_back({"data/afro.mod, to the end position", afro, 200});
    }
    snd_open_offline(44100, 4096);
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(pt_load(c.bytes.data(), c.bytes.size()), 1) << pt_error();
        snd_clock_reset();
        AllocCounts counts = render_counted(c.seconds);
        EXPECT_EQ(counts.allocations, 0);
        EXPECT_EQ(counts.locks, 0);
    }
}

#ifdef ZK_HAVE_SDL_AUDIO
// The device's callback adds nothing of its own on top of snd_render.
TEST(RealtimeSafety, AudioCallbackAllocatesNothingAndTakesNoLock) {
    std::vector<uint8_t> bytes = mod_all_effects().build();
    snd_open_offline(44100, 4096);
    ASSERT_EQ(pt_load(bytes.data(), bytes.size()), 1) << pt_error();
    snd_clock_reset();
    SndOutputMode saved = snd_output_mode;
    snd_output_mode = SND_AUDIO_DEVICE;
    static uint8_t stream[4096 * 4];
    alloc_counter_begin();
    for (int i = 0; i < 200; ++i) snd_audio_callback(nullptr, stream, sizeof stream);
    AllocCounts counts = alloc_counter_end();
    snd_output_mode = saved;
    EXPECT_EQ(counts.allocations, 0);
    EXPECT_EQ(counts.locks, 0);
}
#endif
