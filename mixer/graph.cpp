// The mix graph: eight stereo float buses, their inputs and effect units,
// the set-up of the whole mixer (mix_init) and the render call.
//
// Audio thread: mix_render and mix_bus_clear. They allocate nothing, lock
// nothing, print nothing and touch no file.
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "mixer/fx.h"
#include "mixer/fx_inline.h"
#include "mixer/graph_fused.h"
#include "mixer/mixer.h"

MixBus mix_buses[MIX_BUS_COUNT];

namespace {

// What the default allocator handed out during mix_init, so that a second
// mix_init (tests build the mixer many times) can give it back; the
// production builds it once. Units made outside mix_init (tests, benchmarks)
// are kept for good, and listed so that they stay reachable.
void* default_blocks[64];
int default_block_count = 0;
void* kept_blocks[1024];
int kept_block_count = 0;
bool building = false;  // inside mix_init

void* allocate_zeroed(size_t bytes)
{
    void* p = std::calloc(1, bytes);
    if (p == nullptr)
        return nullptr;
    if (building && default_block_count < int(sizeof default_blocks / sizeof default_blocks[0]))
        default_blocks[default_block_count++] = p;
    else if (!building && kept_block_count < int(sizeof kept_blocks / sizeof kept_blocks[0]))
        kept_blocks[kept_block_count++] = p;
    return p;
}

void release_default_blocks()
{
    while (default_block_count > 0)
        std::free(default_blocks[--default_block_count]);
}

int mixer_ready = 0;

// The units of the graph mix_init builds, for the fused render of that graph.
struct StandardGraph {
    FxUnit* short_echo;
    FxUnit* formant;
    FxUnit* long_echo;
};
StandardGraph standard = {};

// Samples whose voices feed bus 1 (heard dry and through the long echo) and
// bus 2 (dry, through the short echo and the vowel filter, then the long echo).
constexpr int kBus1Samples[] = {9, 10, 11, 12, 21, 1, 2, 5, 6, 7, 8, 19};
constexpr int kBus2Samples[] = {3, 4};
static_assert(sizeof kBus1Samples / sizeof kBus1Samples[0] == 12, "twelve samples on bus 1");

}  // namespace

void* (*mix_allocate)(size_t bytes) = allocate_zeroed;
int mix_fused_graph = 1;

int mix_ready()
{
    return mixer_ready;
}

// --- Buses ----------------------------------------------------------------------

int mix_bus_init(MixBus* bus, int frames, int channels)
{
    bus->buffer = static_cast<float*>(mix_allocate(sizeof(float) * size_t(frames) * size_t(channels)));
    bus->frames = frames;
    bus->channels = channels;
    for (MixBusInput& input : bus->inputs)
        input = MixBusInput{nullptr, 0.0f};
    for (FxUnit*& unit : bus->units)
        unit = nullptr;
    return bus->buffer != nullptr;
}

void mix_bus_clear(MixBus* bus, int frames)
{
    // Only the frames this render uses: nothing reads beyond them.
    std::memset(bus->buffer, 0, sizeof(float) * size_t(frames) * size_t(bus->channels));
}

void mix_bus_add_input(MixBus* bus, MixBus* source, float gain)
{
    for (MixBusInput& input : bus->inputs)
        if (input.source == nullptr) {
            input = MixBusInput{source, gain};
            return;
        }
}

void mix_bus_add_unit(MixBus* bus, FxUnit* unit)
{
    for (FxUnit*& slot : bus->units)
        if (slot == nullptr) {
            slot = unit;
            return;
        }
}

// --- Set-up ---------------------------------------------------------------------

namespace {

int build_mixer(int rate, int frames)
{
    mixer_ready = 0;
    release_default_blocks();
    for (MixBus& bus : mix_buses)
        bus = MixBus{};
    if (rate <= 0 || frames <= 0)
        return 0;
    mix_rate = rate;
    for (MixBus& bus : mix_buses)
        if (!mix_bus_init(&bus, frames, 2))
            return 0;
    for (int n = 0; n < MIX_MAX_VOICES; ++n) {
        mix_voice_reset(&mix_pending_voices[n]);
        mix_voice_reset(&mix_live_voices[n]);
    }
    for (MixSample& sample : mix_samples)
        mix_sample_reset(&sample);
    for (int n : kBus1Samples)
        mix_samples[n].bus = &mix_buses[1];
    for (int n : kBus2Samples)
        mix_samples[n].bus = &mix_buses[2];

    // The order of these calls fixes the slot order of inputs and units.
    FxUnit* short_echo = fx_echo_new(2, 440, 850, 0.5993f, 0.5398f, 0.5f, 0.5f);
    FxUnit* formant = fx_formant_new(2, 3);
    FxUnit* long_echo = fx_echo_new(2, 15140, 16850, 0.4393f, 0.4298f, 1.0f, 0.9f);
    if (short_echo == nullptr || formant == nullptr || long_echo == nullptr)
        return 0;
    mix_bus_add_input(&mix_buses[3], &mix_buses[2], 1.0f);
    mix_bus_add_unit(&mix_buses[3], short_echo);
    mix_bus_add_unit(&mix_buses[3], formant);
    mix_bus_add_input(&mix_buses[4], &mix_buses[1], 1.0f);
    mix_bus_add_input(&mix_buses[4], &mix_buses[3], 1.0f);
    mix_bus_add_unit(&mix_buses[4], long_echo);
    mix_bus_add_input(&mix_buses[7], &mix_buses[0], 0.6f);
    mix_bus_add_input(&mix_buses[7], &mix_buses[1], 0.5f);
    mix_bus_add_input(&mix_buses[7], &mix_buses[2], 0.5f);
    mix_bus_add_input(&mix_buses[7], &mix_buses[3], 0.5f);
    mix_bus_add_input(&mix_buses[7], &mix_buses[4], 0.3f);
    standard = StandardGraph{short_echo, formant, long_echo};
    mixer_ready = 1;
    return 1;
}

}  // namespace

int mix_init(int rate, int frames)
{
    building = true;
    const int built = build_mixer(rate, frames);
    building = false;
    return built;
}

// --- Render ---------------------------------------------------------------------

namespace {

// Slot layout of the graph mix_init builds; anything else takes the general
// path.
bool graph_is_standard()
{
    auto input_is = [](int bus, int slot, int source, float gain) {
        const MixBusInput& in = mix_buses[bus].inputs[slot];
        return in.source == &mix_buses[source] && in.gain == gain;
    };
    auto only_inputs = [](int bus, int count) {
        for (int k = count; k < MIX_BUS_INPUTS; ++k)
            if (mix_buses[bus].inputs[k].source != nullptr) return false;
        return true;
    };
    auto only_units = [](int bus, int count) {
        for (int k = count; k < MIX_BUS_UNITS; ++k)
            if (mix_buses[bus].units[k] != nullptr) return false;
        return true;
    };
    for (int b : {0, 1, 2, 5, 6})
        if (!only_inputs(b, 0) || !only_units(b, 0)) return false;
    return input_is(3, 0, 2, 1.0f) && only_inputs(3, 1) &&
           mix_buses[3].units[0] == standard.short_echo && mix_buses[3].units[1] == standard.formant &&
           only_units(3, 2) && standard.short_echo->render == fx_echo_render &&
           standard.formant->render == fx_formant_render &&
           input_is(4, 0, 1, 1.0f) && input_is(4, 1, 3, 1.0f) && only_inputs(4, 2) &&
           mix_buses[4].units[0] == standard.long_echo && only_units(4, 1) &&
           standard.long_echo->render == fx_echo_render &&
           input_is(7, 0, 0, 0.6f) && input_is(7, 1, 1, 0.5f) && input_is(7, 2, 2, 0.5f) &&
           input_is(7, 3, 3, 0.5f) && input_is(7, 4, 4, 0.3f) && only_inputs(7, 5) &&
           only_units(7, 0) &&
           !fx_detail::resonant(*reinterpret_cast<FxEcho*>(standard.short_echo)->filter) &&
           !fx_detail::resonant(*reinterpret_cast<FxEcho*>(standard.long_echo)->filter);
}

void render_voices(int frames)
{
    for (int n = 0; n < mix_voice_count; ++n) {
        MixVoice* v = &mix_live_voices[n];
        float left, right;
        mix_voice_gains(v, &left, &right);
        if (v->length != 0 && v->volume != 0)
            mix_render_voice(v, mix_samples[v->sample].bus->buffer, frames, left, right);
    }
}

// One pass of the graph over `frames` frames (at most the bus capacity), in
// bus order; writes int16 to `out` unless it is null.
void render_general_graph(int frames, int32_t position, int16_t* out)
{
    // Inputs come only from lower buses, so each is complete when summed.
    for (MixBus& bus : mix_buses) {
        float* dst = bus.buffer;
        for (const MixBusInput& input : bus.inputs) {
            if (input.source == nullptr)
                continue;
            const float* src = input.source->buffer;
            const float gain = input.gain;
            for (int k = 0; k < 2 * frames; ++k)
                dst[k] += gain * src[k];
        }
        for (FxUnit* unit : bus.units)
            if (unit != nullptr)
                unit->render(unit, dst, dst, frames, 2, position);
    }
    if (out != nullptr)
        mix_to_int16(mix_buses[7].buffer, out, frames);
}

void render_block(int frames, int32_t position, int16_t* out)
{
    for (MixBus& bus : mix_buses)
        mix_bus_clear(&bus, frames);
    render_voices(frames);
    if (mix_fused_graph && mix_fused_graph_available() && graph_is_standard()) {
        const FusedGraph graph = {
            reinterpret_cast<FxEcho*>(standard.short_echo),
            reinterpret_cast<FxFormant*>(standard.formant),
            reinterpret_cast<FxEcho*>(standard.long_echo),
            {mix_buses[7].inputs[0].gain, mix_buses[7].inputs[1].gain, mix_buses[7].inputs[2].gain,
             mix_buses[7].inputs[3].gain, mix_buses[7].inputs[4].gain},
        };
        mix_render_fused_graph(graph, frames, position, out);
    } else
        render_general_graph(frames, position, out);
}

}  // namespace

void mix_render(int16_t* out, int frames, int convert, int32_t position)
{
    if (frames < 0)
        frames = 0;
    if (!mixer_ready) {
        if (convert && frames > 0)
            std::memset(out, 0, sizeof(int16_t) * 2 * size_t(frames));
        return;
    }
    for (int n = 0; n < mix_voice_count; ++n)
        mix_commit_voice(&mix_live_voices[n], &mix_pending_voices[n]);

    const int capacity = mix_buses[0].frames;
    int done = 0;
    do {
        const int n = frames - done < capacity ? frames - done : capacity;
        render_block(n, position, convert ? out + 2 * done : nullptr);
        done += n;
    } while (done < frames);
}
