// The software mixer: voices with 32.32 fixed-point resampling, the fixed
// graph of eight stereo float buses with its effect units, and the conversion
// to clipped signed 16-bit stereo. Free of SDL and OpenGL.
//
// Threads: mix_install, mix_init, mix_define_sample, mix_set_voice_count and
// mix_set_master_volume run on the main thread before playback. Every other
// voice operation runs inside the sequencer tick, and mix_render between
// ticks, both on the audio thread.
//
// Files: voices.cpp (records, voice operations, commit, gains, resampling),
// graph.cpp (buses, mix_init, mix_render), graph_fused.cpp (the one-pass
// render of the standard graph), output.cpp (mix_to_int16); the effect units
// are declared in mixer/fx.h, their per-sample steps in mixer/fx_inline.h.
#pragma once

#include <cstddef>
#include <cstdint>

struct FxUnit;
struct MixBus;

constexpr int MIX_MAX_VOICES = 32;
constexpr int MIX_MAX_SAMPLES = 32;
constexpr int MIX_BUS_COUNT = 8;
constexpr int MIX_BUS_INPUTS = 6;
constexpr int MIX_BUS_UNITS = 10;

// One registered sample: mono signed 8-bit data that belongs to the player's
// module image (read only, never freed), and the bus its voices feed.
struct MixSample {
    const int8_t* data;
    uint32_t length;      // bytes
    uint32_t loop_start;  // byte index where the loop begins
    uint32_t loop_end;    // loop start + loop length; never beyond length
    int32_t looped;       // non-zero: the sample loops
    MixBus* bus;          // bus 0 unless mix_init routes the sample elsewhere
};

// One voice (one music channel). Position and step are unsigned 32.32 fixed
// point, fraction word first.
struct MixVoice {
    const int8_t* data;
    int32_t sample;           // sample number; selects the bus at render time
    int32_t volume;           // 0..64 (an effect parameter may give up to 255); 0: not mixed
    uint32_t position_frac;   // fraction of the byte position, units of 2^-32
    uint32_t position;        // byte index into data
    uint32_t step_frac;       // advance per output frame; low 8 bits always 0
    uint32_t step;
    uint32_t loop_start;
    uint32_t loop_end;
    int32_t looped;           // mix_set_position can clear it
    uint32_t length;
    int32_t panning;          // 0 = full left .. 255 = full right
    int32_t step_changed;     // the player set a new period since the last commit
    int32_t position_changed; // the player set a new position since the last commit
    int32_t ended;            // live only: ran off the end of an unlooped sample;
                              // silent until the player sets a new period or position
};

// One stereo float bus of the graph.
struct MixBusInput {
    MixBus* source;  // null: free entry
    float gain;
};
struct MixBus {
    float* buffer;  // interleaved stereo, frames * channels values
    int32_t frames;
    int32_t channels;  // always 2
    MixBusInput inputs[MIX_BUS_INPUTS];
    FxUnit* units[MIX_BUS_UNITS];  // run in slot order; null: free slot
};

// --- State (static tables of the mixer) --------------------------------------

extern MixSample mix_samples[MIX_MAX_SAMPLES];
extern MixVoice mix_pending_voices[MIX_MAX_VOICES];  // written by the voice operations
extern MixVoice mix_live_voices[MIX_MAX_VOICES];     // owned and advanced by the renderer
extern MixVoice* mix_current_voice;  // pending voice the operations act on (voice 0 until selected)
extern int32_t mix_rate;             // Hz, 44100 until mix_init
extern int32_t mix_master_volume;    // 0..252, 63 until set
extern int32_t mix_voice_count;      // voices committed and mixed, 4 until set
extern MixBus mix_buses[MIX_BUS_COUNT];

// Where mix_init and the effect units get their memory: zero-filled bytes, or
// null when none can be had. calloc by default; tests replace it to provoke
// allocation failure. Main thread, during mix_init only.
extern void* (*mix_allocate)(size_t bytes);

// 1 (default): the graph that mix_init builds is rendered by one fused pass
// over the frames, with results identical to the general bus-by-bus pass;
// 0: always the general pass (tests compare the two).
extern int mix_fused_graph;

// --- Set-up (main thread) -----------------------------------------------------

// Puts the nine voice operations into SoundDriver.
void mix_install();

// Builds the whole mixer for an output rate (Hz) and a buffer length (frames):
// bus buffers, effect units, delay lines. Returns 1, or 0 when memory could
// not be had or an argument is not positive (then nothing renders: mix_render
// writes silence). Main thread, once.
int mix_init(int rate, int frames);

// 1 after a successful mix_init, else 0.
int mix_ready();

// --- The nine voice operations (installed into SoundDriver) -------------------

// Registers sample n (1..31; others ignored). The loop is kept inside the
// data: loop_end is cut to length and loop_start to loop_end. Returns 1.
int mix_define_sample(int n, const int8_t* data, uint32_t length,
                      uint32_t loop_start, uint32_t loop_end, int looped);
void mix_select_voice(int n);      // 0..31; others ignored
void mix_set_sample(int n);        // 0..31; takes data and loop, no restart
void mix_set_period(int period);   // step = 3546836 / (mix_rate * period); <= 0 gives step 0
void mix_set_volume(int volume);   // not clamped
void mix_set_panning(int panning); // not clamped
void mix_set_position(uint32_t offset);
void mix_set_master_volume(int volume);  // values above 252 store 252
void mix_set_voice_count(int count);     // kept within 0..32

// --- Voice layer used by mix_render and mix_init ------------------------------

void mix_voice_reset(MixVoice* voice);     // panning 127, both flags 1, the rest 0
void mix_sample_reset(MixSample* sample);  // all 0, bus = bus 0

// Copies pending over live; the live position and step survive unless the
// pending voice set them since the last commit. Clears the pending flags.
void mix_commit_voice(MixVoice* live, MixVoice* pending);

// Left and right gain of a voice from panning, volume and master volume.
void mix_voice_gains(const MixVoice* voice, float* left, float* right);

// Adds `frames` resampled stereo frames of the voice into `buffer` (interleaved
// floats) and advances the voice. Audio thread.
void mix_render_voice(MixVoice* voice, float* buffer, int frames, float left, float right);

// 32.32 addition with carry; the integer word wraps modulo 2^32.
inline void mix_advance(uint32_t* position_frac, uint32_t* position,
                        uint32_t step_frac, uint32_t step)
{
    uint64_t p = (uint64_t(*position) << 32 | *position_frac) + (uint64_t(step) << 32 | step_frac);
    *position_frac = uint32_t(p);
    *position = uint32_t(p >> 32);
}

// --- Graph (graph.cpp) --------------------------------------------------------

// Allocates frames * channels floats for the bus, empties its inputs and unit
// slots. 1, or 0 when the memory could not be had.
int mix_bus_init(MixBus* bus, int frames, int channels);
// Zeroes the first `frames` frames of the bus (what one render uses).
void mix_bus_clear(MixBus* bus, int frames);
// First free input entry; a seventh input is dropped.
void mix_bus_add_input(MixBus* bus, MixBus* source, float gain);
// First free unit slot; an eleventh unit is dropped.
void mix_bus_add_unit(MixBus* bus, FxUnit* unit);

// Renders `frames` frames: commits the voices, mixes them through the bus
// graph with the song `position` handed to the effect units, and, when
// `convert` is not 0, writes interleaved int16 stereo to `out`. More frames
// than the buffer length given to mix_init are rendered in pieces of that
// length (one commit). Before a successful mix_init it writes silence.
// Audio thread: allocates nothing, locks nothing, prints nothing.
void mix_render(int16_t* out, int frames, int convert, int32_t position);

// Converts 2 x frames floats to clipped signed 16-bit (full scale 32763).
// Audio thread.
void mix_to_int16(const float* src, int16_t* dst, int frames);
