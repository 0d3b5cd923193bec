// Cost of the player's two jobs: loading a module (once, at start-up) and one
// sequencer tick (on the audio thread, once per 882 output frames at tempo 125).
#include <benchmark/benchmark.h>

#include "tests/player/player_fixture.h"

namespace {

void install_silent_driver() {
    SoundDriver = {};
    SoundDriver.define_sample = [](int, const int8_t*, uint32_t, uint32_t, uint32_t, int) { return 1; };
    SoundDriver.set_voice_count = [](int) {};
    SoundDriver.select_voice = [](int) {};
    SoundDriver.set_sample = [](int) {};
    SoundDriver.set_period = [](int) {};
    SoundDriver.set_volume = [](int) {};
    SoundDriver.set_panning = [](int) {};
    SoundDriver.set_position = [](uint32_t) {};
}

// Every cell busy: a note with a sample and an effect that works on every tick.
ModuleBuilder busy_module(int channels, int patterns) {
    ModuleBuilder mod;
    mod.channels = channels;
    mod.tag = channels == 4 ? "M.K." : (channels < 10 ? std::to_string(channels) + "CHN"
                                                       : std::to_string(channels) + "CH");
    mod.song_length = static_cast<uint8_t>(patterns);
    for (int p = 0; p < patterns; p++) mod.orders[p] = static_cast<uint8_t>(p);
    for (int s = 1; s <= 31; s++) mod.samples[s] = {2000, static_cast<uint8_t>(s & 15), 48, 100, 800};
    const int effects[] = {0x0, 0x1, 0x2, 0x3, 0x4, 0x5, 0x6, 0x7, 0xA};
    for (int p = 0; p < patterns; p++)
        for (int r = 0; r < 64; r++)
            for (int c = 0; c < channels; c++)
                mod.cell(p, r, c, 1 + (r + c) % 31, pt_period_table[0][24 + (r * 7 + c) % 36],
                         effects[(r + c) % 9], 0x37);
    return mod;
}

void BM_LoadModule(benchmark::State& state) {
    install_silent_driver();
    const std::vector<uint8_t> image = busy_module(static_cast<int>(state.range(0)), 64).build();
    std::vector<uint8_t> copy(image.size());
    for (auto _ : state) {
        state.PauseTiming();
        copy = image;  // the conversion works in place
        state.ResumeTiming();
        benchmark::DoNotOptimize(pt_load(copy.data(), copy.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(image.size()));
}
BENCHMARK(BM_LoadModule)->Arg(4)->Arg(32)->Unit(benchmark::kMicrosecond);

void BM_Tick(benchmark::State& state) {
    install_silent_driver();
    static std::vector<uint8_t> image;
    image = busy_module(static_cast<int>(state.range(0)), 4).build();
    pt_load(image.data(), image.size());
    for (auto _ : state) {
        pt_tick();
        pt_update_trigger_ages();
        pt_update_tick_length();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Tick)->Arg(4)->Arg(32);

}  // namespace

BENCHMARK_MAIN();
