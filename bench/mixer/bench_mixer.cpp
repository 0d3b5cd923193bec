// Where the mixer's time goes: whole songs through the playback clock (a
// synthetic module with 8 busy channels, and data/afro.mod when it is
// there) and each unit alone over 4,096-frame buffers. Counters: frames/s,
// and x_realtime = frames per second / 44,100.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "mixer/fx.h"
#include "mixer/mixer.h"
#include "player/audio.h"
#include "player/player.h"
#include "tests/mixer/mod_builder.h"

namespace {

constexpr int kFrames = 4096;

void set_rate_counters(benchmark::State& state, double frames_per_iteration)
{
    state.counters["frames/s"] =
        benchmark::Counter(frames_per_iteration, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["x_realtime"] = benchmark::Counter(frames_per_iteration / 44100.0,
                                                      benchmark::Counter::kIsIterationInvariantRate);
}

// 16 orders of 8 channels with a note on every channel every other row:
// samples from all three voice buses, looped and one-shot, a few effects.
ModBuilder busy_song()
{
    ModBuilder b;
    b.channels = 8;
    b.orders.clear();
    for (int o = 0; o < 16; ++o) b.orders.push_back(o % 4);
    for (int n = 1; n <= 31; ++n) {
        const int length = 2000 + 300 * n;
        std::vector<int8_t> data(length);
        for (int i = 0; i < length; ++i)
            data[i] = int8_t(std::lround(90 * std::sin(i * (0.05 + 0.01 * n)) * (1.0 - 0.5 * i / length)));
        b.samples[n].data = data;
        if (n % 3 != 0) {
            b.samples[n].loop_start = 200;
            b.samples[n].loop_length = length - 400;
        }
    }
    const int samples[8] = {3, 4, 1, 9, 13, 18, 19, 20};
    for (int p = 0; p < 4; ++p)
        for (int row = 0; row < 64; ++row)
            for (int c = 0; c < 8; ++c) {
                if ((row + c) % 2 != 0) continue;
                const int period = 214 + 20 * ((row * 7 + c * 5 + p * 3) % 24);
                int effect = 0, param = 0;
                if (row % 16 == 4) { effect = 4; param = 0x46; }  // vibrato
                if (row % 16 == 8) { effect = 0xA; param = 0x02; }  // volume slide
                b.cell(p, row, c) = BuiltCell{samples[(c + p) % 8], period, effect, param};
            }
    return b;
}

std::vector<uint8_t> read_file(const char* path)
{
    std::vector<uint8_t> bytes;
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return bytes;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    return bytes;
}

// Renders from the start until the position first reaches 1550, in device-
// sized buffers, as modrender does.
double render_song(std::vector<uint8_t>& image, std::vector<int16_t>& out)
{
    snd_open_offline(44100, kFrames);
    pt_load(image.data(), image.size());
    double frames = 0;
    for (;;) {
        snd_render(out.data(), kFrames);
        frames += kFrames;
        if (pt_position() >= 1550 && pt_position() < 0x80000000u) break;
    }
    return frames;
}

void BM_WholeSongSynthetic(benchmark::State& state)
{
    std::vector<uint8_t> image = busy_song().bytes();
    std::vector<int16_t> out(2 * kFrames);
    double frames = 0;
    for (auto _ : state) {
        std::vector<uint8_t> copy = image;  // the loader converts patterns in place
        frames = render_song(copy, out);
        benchmark::DoNotOptimize(out.data());
    }
    set_rate_counters(state, frames);
}
BENCHMARK(BM_WholeSongSynthetic)->Unit(benchmark::kMillisecond);

void BM_WholeSongAfro(benchmark::State& state)
{
    mix_fused_graph = int(state.range(0));
    std::vector<uint8_t> image = read_file(ZK_SOURCE_DIR "/data/afro.mod");
    if (image.empty()) {
        state.SkipWithError("data/afro.mod not found");
        return;
    }
    std::vector<int16_t> out(2 * kFrames);
    double frames = 0;
    for (auto _ : state) {
        std::vector<uint8_t> copy = image;
        frames = render_song(copy, out);
        benchmark::DoNotOptimize(out.data());
    }
    mix_fused_graph = 1;
    set_rate_counters(state, frames);
}
// Argument 1: the fused pass over the standard graph (as it plays); 0: bus by bus.
BENCHMARK(BM_WholeSongAfro)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// --- Units alone --------------------------------------------------------------

void BM_VoicesEight(benchmark::State& state)
{
    std::vector<int8_t> data(30000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = int8_t(std::lround(100 * std::sin(i * 0.07)));
    std::vector<float> buffer(2 * kFrames);
    MixVoice voices[8];
    for (int n = 0; n < 8; ++n) {
        mix_voice_reset(&voices[n]);
        voices[n].data = data.data();
        voices[n].length = uint32_t(data.size());
        voices[n].loop_start = 1000;
        voices[n].loop_end = uint32_t(data.size());
        voices[n].looped = 1;
        voices[n].volume = 64;
        voices[n].step = 0;
        voices[n].step_frac = uint32_t(0x30000000u + 0x08000000u * n);
    }
    for (auto _ : state) {
        for (MixVoice& v : voices) mix_render_voice(&v, buffer.data(), kFrames, 0.5f, 0.5f);
        benchmark::DoNotOptimize(buffer.data());
    }
    set_rate_counters(state, kFrames);
}
BENCHMARK(BM_VoicesEight);

std::vector<float> noise_buffer()
{
    std::vector<float> b(2 * kFrames);
    for (size_t i = 0; i < b.size(); ++i) b[i] = float(std::sin(i * 0.013) * 0.3);
    return b;
}

void BM_EchoShort(benchmark::State& state)
{
    FxUnit* echo = fx_echo_new(2, 440, 850, 0.5993f, 0.5398f, 0.5f, 0.5f);
    std::vector<float> b = noise_buffer();
    for (auto _ : state) {
        echo->render(echo, b.data(), b.data(), kFrames, 2, 0);
        benchmark::DoNotOptimize(b.data());
    }
    set_rate_counters(state, kFrames);
}
BENCHMARK(BM_EchoShort);

void BM_EchoLong(benchmark::State& state)
{
    FxUnit* echo = fx_echo_new(2, 15140, 16850, 0.4393f, 0.4298f, 1.0f, 0.9f);
    std::vector<float> b = noise_buffer();
    for (auto _ : state) {
        echo->render(echo, b.data(), b.data(), kFrames, 2, 0);
        benchmark::DoNotOptimize(b.data());
    }
    set_rate_counters(state, kFrames);
}
BENCHMARK(BM_EchoLong);

void BM_Formant(benchmark::State& state)
{
    FxUnit* formant = fx_formant_new(2, 3);
    std::vector<float> b = noise_buffer();
    int32_t position = 0;
    for (auto _ : state) {
        formant->render(formant, b.data(), b.data(), kFrames, 2, position++);
        benchmark::DoNotOptimize(b.data());
    }
    set_rate_counters(state, kFrames);
}
BENCHMARK(BM_Formant);

void BM_ToInt16(benchmark::State& state)
{
    std::vector<float> b = noise_buffer();
    std::vector<int16_t> out(2 * kFrames);
    for (auto _ : state) {
        mix_to_int16(b.data(), out.data(), kFrames);
        benchmark::DoNotOptimize(out.data());
    }
    set_rate_counters(state, kFrames);
}
BENCHMARK(BM_ToInt16);

// The graph with no voice playing: clears, bus sums, units and conversion.
// Argument 1: the fused pass over the standard graph; 0: bus by bus.
void BM_GraphSilent(benchmark::State& state)
{
    mix_init(44100, kFrames);
    mix_fused_graph = int(state.range(0));
    mix_set_voice_count(0);
    std::vector<int16_t> out(2 * kFrames);
    for (auto _ : state) {
        mix_render(out.data(), 882, 1, 0);
        benchmark::DoNotOptimize(out.data());
    }
    mix_fused_graph = 1;
    set_rate_counters(state, 882);
}
BENCHMARK(BM_GraphSilent)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
