// The per-sample steps of the effect units, inline, so that the units' own
// render loops and the mix graph's fused loop (mixer/graph.cpp) share one
// definition of the arithmetic and can carry the state in registers.
// Audio thread: allocates nothing, locks nothing, calls no library function.
#pragma once

#include "mixer/fx.h"

namespace fx_detail {

// The steps run once per sample inside hot loops; they must not become calls.
#define FX_INLINE inline __attribute__((always_inline))

// The halving saturator: each threshold 0.1, 0.2, 0.4, 0.6, 0.9 in turn
// halves a value beyond it. Halving is exact, so the value after k halvings
// exceeds threshold k + 1 exactly when the input exceeds 2^k times it; the
// result is the input times 2^-(number of scaled thresholds it exceeds),
// without a branch on the signal.
FX_INLINE float saturate(float x)
{
    const float a = __builtin_fabsf(x);
    const int halvings = (a > 0.1f) + (a > 2 * 0.2f) + (a > 4 * 0.4f) + (a > 8 * 0.6f) +
                         (a > 16 * 0.9f);
    static constexpr float kScale[6] = {1.0f, 0.5f, 0.25f, 0.125f, 0.0625f, 0.03125f};
    x *= kScale[halvings];
    x = x > 0.999f ? 0.999f : x;
    x = x < -0.999f ? -0.999f : x;
    return x;
}

// s + 1e-21 in double precision, back to single: the offset keeps the
// stages off denormals once the input is silent. From 2^-40 up the sum
// rounds back to s itself (1e-21 is below half a single-precision step
// there), so only values near silence take the slow conversions.
FX_INLINE float add_tiny(float s)
{
    const float a = __builtin_fabsf(s);
    if (__builtin_expect(a >= 0x1p-40f, 1))
        return s;
    return float(double(s) + 1e-21);
}

// One step of channel state p (p1..p4). With kResonant false the feedback
// factors are taken as 0 (both are 0 for the resonances 0 in use): adding
// the zero product changes no value.
template <bool kResonant>
FX_INLINE float highpass_step(const FxHighpass& f, float* p, float x)
{
    x = saturate(x);
    float drive_1 = x - p[0];
    if (kResonant) drive_1 = drive_1 + f.feedback_1 * (p[0] - p[1]);
    p[0] = add_tiny(p[0] + f.coef_1 * drive_1);
    p[1] = p[1] + f.coef_1 * (p[0] - p[1]);
    float drive_2 = p[1] - p[2];
    if (kResonant) drive_2 = drive_2 + f.feedback_2 * (p[2] - p[3]);
    p[2] = add_tiny(p[2] + f.coef_2 * drive_2);
    p[3] = p[3] + f.coef_2 * (p[2] - p[3]);
    return x - p[3];
}

inline bool resonant(const FxHighpass& f)
{
    return f.feedback_1 != 0.0f || f.feedback_2 != 0.0f;
}

// An echo's moving parts, copied out of its record for a run of frames.
struct EchoCursor {
    float* line_a;
    float* line_b;
    int read_a, read_b, write_a, write_b, length_a, length_b;
    float wet_left, wet_right, dry_left, dry_right, feedback_a, feedback_b;
    FxHighpass filter;  // coefficients; the state lives in left and right
    float left[4], right[4];
};

inline void echo_load(EchoCursor& c, const FxEcho& e)
{
    c.line_a = e.line_a;
    c.line_b = e.line_b;
    c.read_a = e.read_a;
    c.read_b = e.read_b;
    c.write_a = e.write_a;
    c.write_b = e.write_b;
    c.length_a = e.length_a;
    c.length_b = e.length_b;
    c.wet_left = e.wet_left;
    c.wet_right = e.wet_right;
    c.dry_left = e.dry_left;
    c.dry_right = e.dry_right;
    c.feedback_a = e.feedback_a;
    c.feedback_b = e.feedback_b;
    c.filter = *e.filter;
    for (int k = 0; k < 4; ++k) {
        c.left[k] = e.filter->state[0][k];
        c.right[k] = e.filter->state[1][k];
    }
}

inline void echo_store(const EchoCursor& c, FxEcho& e)
{
    e.read_a = c.read_a;
    e.read_b = c.read_b;
    e.write_a = c.write_a;
    e.write_b = c.write_b;
    for (int k = 0; k < 4; ++k) {
        e.filter->state[0][k] = c.left[k];
        e.filter->state[1][k] = c.right[k];
    }
}

// One stereo frame of the echo. Both inputs are taken before anything is
// written, so the output may go where the input came from.
template <bool kResonant>
FX_INLINE void echo_frame(EchoCursor& c, float in_left, float in_right, float* out_left,
                       float* out_right)
{
    const float a = c.line_a[c.read_a];
    const float b = c.line_b[c.read_b];
    *out_left = a * c.wet_left + in_left * c.dry_left;
    *out_right = b * c.wet_right + in_right * c.dry_right;
    c.line_a[c.write_a] = highpass_step<kResonant>(c.filter, c.left, in_left + b * c.feedback_a);
    c.line_b[c.write_b] = highpass_step<kResonant>(c.filter, c.right, in_right + a * c.feedback_b);
    if (++c.read_a >= c.length_a) c.read_a = 0;
    if (++c.read_b >= c.length_b) c.read_b = 0;
    if (++c.write_a >= c.length_a) c.write_a = 0;
    if (++c.write_b >= c.length_b) c.write_b = 0;
}

// One output of the vowel filter with coefficients t; h holds the last ten
// outputs, newest first, and is shifted. The sum runs in the written order:
// its rounding is part of the sound.
FX_INLINE double formant_step(double x, const double* t, double* h)
{
    const double y = t[0] * x + t[1] * h[0] + t[2] * h[1] + t[3] * h[2] + t[4] * h[3] +
                     t[5] * h[4] + t[6] * h[5] + t[7] * h[6] + t[8] * h[7] + t[9] * h[8] +
                     t[10] * h[9];
    // Written out: as a loop the shift would become a library call per sample.
    h[9] = h[8]; h[8] = h[7]; h[7] = h[6]; h[6] = h[5]; h[5] = h[4];
    h[4] = h[3]; h[3] = h[2]; h[2] = h[1]; h[1] = h[0]; h[0] = y;
    return y;
}

}  // namespace fx_detail

#undef FX_INLINE
