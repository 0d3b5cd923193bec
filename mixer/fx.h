// Effect units: processors the mix graph runs in place on a bus buffer, once
// per render call, in the order of the bus's unit slots.
//
// Each unit kind is a record that begins with the FxUnit head. Units are made
// by their constructors during mix_init (on the main thread, memory from
// mix_allocate; null when none could be had) and are never freed. Their
// render and step functions run on the audio thread: they allocate nothing,
// lock nothing, print nothing and call no library function.
//
// Files: fx_echo.cpp, fx_highpass.cpp, fx_formant.cpp.
#pragma once

#include <cstdint>

// The common head: processes `frames` interleaved frames of `channels` values
// from `input` to `output` (the graph passes the same buffer for both, and 2
// channels), with the song position of the render call.
struct FxUnit {
    void (*render)(FxUnit* unit, const float* input, float* output, int frames,
                   int channels, int32_t position);
};

// Saturating two-stage (four-pole) high-pass, two channels.
struct FxHighpass {
    FxUnit head;
    float state[2][4];  // per channel p1, p2 (stage 1), p3, p4 (stage 2)
    float feedback_1;   // resonance feedback of stage 1, from fx_highpass_tune
    float feedback_2;
    float coef_1;       // smoothing coefficient of stage 1
    float res_1;        // resonance of stage 1
    float coef_2;
    float res_2;
};

// Stereo cross-feedback echo: line A serves the left channel, line B the
// right; each line's output feeds the other line through the high-pass.
struct FxEcho {
    FxUnit head;
    float* line_a;
    float* line_b;
    int32_t capacity_a;  // allocated values
    int32_t capacity_b;
    int32_t length_a;    // active values, 1..capacity
    int32_t length_b;
    int32_t write_a;     // slot index of the next write
    int32_t write_b;
    int32_t read_a;      // slot index of the next read: write + 1 modulo the length
    int32_t read_b;
    float wet_left;
    float wet_right;
    float dry_left;
    float dry_right;
    float feedback_a;    // weight of line B's output in line A's input
    float feedback_b;    // weight of line A's output in line B's input
    FxHighpass* filter;  // channel 0 feeds line A, channel 1 line B
};

// Tenth-order all-pole vowel filter, two channels; the set follows the song
// position.
struct FxFormant {
    FxUnit head;
    double history[2][10];  // per channel the last ten outputs, newest first
    int32_t set;            // coefficient set in use, 0..4 (a, e, i, o, u)
};

// 5 sets (a, e, i, o, u) x (input gain, feedback for outputs 1..10 back).
extern const double fx_formant_coeffs[5][11];

// --- Echo -----------------------------------------------------------------------
// Lines of len_a and len_b values (at least 1), all 0; read positions start
// one slot after the write positions. Makes its own high-pass
// (coef 0.01, res 0, coef 0.12, res 0). Null when memory could not be had.
FxUnit* fx_echo_new(int channels, int len_a, int len_b, float feedback_a,
                    float feedback_b, float dry, float wet);
// Active lengths, each cut to its capacity (and at least 1); read = write + 1.
void fx_echo_set_lengths(FxEcho* echo, int length_a, int length_b);
void fx_echo_render(FxUnit* unit, const float* input, float* output, int frames,
                    int channels, int32_t position);

// --- High-pass ------------------------------------------------------------------
FxHighpass* fx_highpass_new(int channels, float coef_1, float res_1, float coef_2, float res_2);
// feedback_n = (res_n + res_n / (1 - coef_n)) * 0.8
void fx_highpass_tune(FxHighpass* filter);
// Halving saturator, clamp to +-0.999, then the input minus its four-pole
// low-passed version. `channel` is 0 or 1.
float fx_highpass_step(FxHighpass* filter, float x, int channel);
void fx_highpass_render(FxUnit* unit, const float* input, float* output, int frames,
                        int channels, int32_t position);

// --- Formant --------------------------------------------------------------------
FxUnit* fx_formant_new(int channels, int set);
// One output of set `set` (0..4) for input x; shifts the ten-value history.
double fx_formant_step(double x, int set, double* history);
// Renders with the set in use, then takes the next set from the position.
void fx_formant_render(FxUnit* unit, const float* input, float* output, int frames,
                       int channels, int32_t position);
// Set for a song position: (position / 2) mod 5, kept within 0..4 for
// negative positions (non-negative remainder: -1 gives 0, -2 gives 4).
int fx_formant_set_for(int32_t position);
