// How long each 4,096-frame audio buffer takes to render, over a whole run of
// the song as the production plays it (from the first tick to position
// 1550), against the buffer's deadline of 4096 / 44100 s = 92.9 ms. The goal
// is a worst case below 1 % of the deadline. Uses data/afro.mod when it is
// there; otherwise a generated song with every effect, for two minutes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "player/audio.h"
#include "player/player.h"
#include "tests/fuzz/module_builder.h"

namespace {

constexpr int kFrames = 4096;
constexpr double kDeadlineMs = 1000.0 * kFrames / 44100.0;
constexpr int kMaxBuffers = 2 * 60 * 44100 / kFrames;  // a song that never reaches 1550
constexpr size_t kModuleBuffer = 4000000;                // the production's buffer

std::vector<uint8_t> song(const char** name) {
    std::ifstream in(ZK_SOURCE_DIR "/data/afro.mod", std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!bytes.empty()) {
        *name = "data/afro.mod";
        return bytes;
    }
    *name = "generated song with every effect";
    return mod_all_effects().build();
}

void BM_SongBufferRenderTime(benchmark::State& state) {
    const char* name = nullptr;
    const std::vector<uint8_t> pristine = song(&name);
    static std::vector<uint8_t> buffer(kModuleBuffer);
    static int16_t out[kFrames * 2];
    std::vector<double> times_ms;
    times_ms.reserve(kMaxBuffers);
    for (auto _ : state) {
        // The loader converts in place: every run starts from the file's bytes.
        std::fill(buffer.begin(), buffer.end(), 0);
        std::copy(pristine.begin(), pristine.begin() + std::min(pristine.size(), kModuleBuffer), buffer.begin());
        snd_open_offline(44100, kFrames);
        if (!pt_load(buffer.data(), buffer.size())) {
            state.SkipWithError(pt_error());
            return;
        }
        snd_clock_reset();
        times_ms.clear();
        for (int b = 0; b < kMaxBuffers; ++b) {
            auto t0 = std::chrono::steady_clock::now();
            snd_render(out, kFrames);
            auto t1 = std::chrono::steady_clock::now();
            times_ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
            benchmark::DoNotOptimize(out);
            if (int32_t(pt_position()) >= 1550) break;
        }
    }
    std::vector<double> sorted = times_ms;
    std::sort(sorted.begin(), sorted.end());
    double sum = 0;
    for (double t : sorted) sum += t;
    const double worst = sorted.back(), mean = sum / sorted.size();
    const double p99 = sorted[std::min(sorted.size() - 1, size_t(sorted.size() * 0.99))];
    state.counters["buffers"] = double(sorted.size());
    state.counters["worst_ms"] = worst;
    state.counters["p99_ms"] = p99;
    state.counters["mean_ms"] = mean;
    state.counters["worst_pct_deadline"] = 100.0 * worst / kDeadlineMs;
    std::fprintf(stderr,
                 "realtime: %s, %zu buffers of %d frames (last run): worst %.3f ms = %.2f %% of "
                 "%.1f ms, p99 %.3f ms, mean %.3f ms = %.2f %%\n",
                 name, sorted.size(), kFrames, worst, 100.0 * worst / kDeadlineMs, kDeadlineMs, p99,
                 mean, 100.0 * mean / kDeadlineMs);
}

}  // namespace

BENCHMARK(BM_SongBufferRenderTime)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
