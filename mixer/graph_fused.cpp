// The fused render of the graph that mix_init builds: buses 3, 4 and 7 in
// one pass over the frames, the left and right channel of every unit side by
// side in the two lanes of an SSE2 register. Every value is computed with
// the same operations in the same order as the general bus-by-bus path
// (graph.cpp with the units' own render functions), so the output is
// identical; tests compare the two.
//
// Audio thread: mix_render_fused_graph. It allocates nothing, locks nothing,
// prints nothing and calls no library function.
#include "mixer/graph_fused.h"

#include "mixer/fx.h"
#include "mixer/fx_inline.h"
#include "mixer/mixer.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace {

// Per-frame helpers: calls here would put the lanes' state through memory.
#define FUSED_INLINE inline __attribute__((always_inline))

// Two floats (left, right) in the low lanes of a register.
FUSED_INLINE __m128 load_pair(const float* p)
{
    return _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p)));
}

FUSED_INLINE void store_pair(float* p, __m128 v)
{
    _mm_store_sd(reinterpret_cast<double*>(p), _mm_castps_pd(v));
}

FUSED_INLINE __m128 pair(float left, float right)
{
    return _mm_setr_ps(left, right, 0.0f, 0.0f);
}

// The halving saturator and the clamp of fx_detail::saturate, both lanes:
// the input times 2^-(number of scaled thresholds its magnitude exceeds).
FUSED_INLINE __m128 saturate(__m128 x)
{
    const __m128 a = _mm_and_ps(x, _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF)));
    __m128i count = _mm_setzero_si128();  // minus the number of halvings
    count = _mm_add_epi32(count, _mm_castps_si128(_mm_cmpgt_ps(a, _mm_set1_ps(0.1f))));
    count = _mm_add_epi32(count, _mm_castps_si128(_mm_cmpgt_ps(a, _mm_set1_ps(2 * 0.2f))));
    count = _mm_add_epi32(count, _mm_castps_si128(_mm_cmpgt_ps(a, _mm_set1_ps(4 * 0.4f))));
    count = _mm_add_epi32(count, _mm_castps_si128(_mm_cmpgt_ps(a, _mm_set1_ps(8 * 0.6f))));
    count = _mm_add_epi32(count, _mm_castps_si128(_mm_cmpgt_ps(a, _mm_set1_ps(16 * 0.9f))));
    // 2^-k as a float: exponent field 127 - k.
    const __m128 scale = _mm_castsi128_ps(_mm_slli_epi32(_mm_add_epi32(_mm_set1_epi32(127), count), 23));
    x = _mm_mul_ps(x, scale);
    // The same as "x > 0.999 ? 0.999 : x" for every number (only a NaN differs).
    x = _mm_min_ps(x, _mm_set1_ps(0.999f));
    x = _mm_max_ps(x, _mm_set1_ps(-0.999f));
    return x;
}

// fx_detail::add_tiny on both lanes: the slow conversions only when a lane
// is near silence.
FUSED_INLINE __m128 add_tiny(__m128 s)
{
    const __m128 a = _mm_and_ps(s, _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF)));
    if (__builtin_expect((_mm_movemask_ps(_mm_cmplt_ps(a, _mm_set1_ps(0x1p-40f))) & 3) == 0, 1))
        return s;
    const __m128 slow = _mm_cvtpd_ps(_mm_add_pd(_mm_cvtps_pd(s), _mm_set1_pd(1e-21)));
    const __m128 use_slow = _mm_cmplt_ps(a, _mm_set1_ps(0x1p-40f));
    return _mm_or_ps(_mm_and_ps(use_slow, slow), _mm_andnot_ps(use_slow, s));
}

// An echo with its filter's two channels as lanes (feedback factors 0).
struct EchoLanes {
    FxEcho* echo;
    float* line_a;
    float* line_b;
    int read_a, read_b, write_a, write_b, length_a, length_b;
    __m128 wet, dry, feedback;  // (left, right), feedback (into A, into B)
    __m128 coef_1, coef_2;
    __m128 p1, p2, p3, p4;
};

EchoLanes echo_lanes(FxEcho* e)
{
    EchoLanes c;
    c.echo = e;
    c.line_a = e->line_a;
    c.line_b = e->line_b;
    c.read_a = e->read_a;
    c.read_b = e->read_b;
    c.write_a = e->write_a;
    c.write_b = e->write_b;
    c.length_a = e->length_a;
    c.length_b = e->length_b;
    c.wet = pair(e->wet_left, e->wet_right);
    c.dry = pair(e->dry_left, e->dry_right);
    c.feedback = pair(e->feedback_a, e->feedback_b);
    c.coef_1 = _mm_set1_ps(e->filter->coef_1);
    c.coef_2 = _mm_set1_ps(e->filter->coef_2);
    const float(*st)[4] = e->filter->state;
    c.p1 = pair(st[0][0], st[1][0]);
    c.p2 = pair(st[0][1], st[1][1]);
    c.p3 = pair(st[0][2], st[1][2]);
    c.p4 = pair(st[0][3], st[1][3]);
    return c;
}

void store_echo(const EchoLanes& c)
{
    FxEcho* e = c.echo;
    e->read_a = c.read_a;
    e->read_b = c.read_b;
    e->write_a = c.write_a;
    e->write_b = c.write_b;
    float lanes[4][4];
    _mm_storeu_ps(lanes[0], c.p1);
    _mm_storeu_ps(lanes[1], c.p2);
    _mm_storeu_ps(lanes[2], c.p3);
    _mm_storeu_ps(lanes[3], c.p4);
    for (int k = 0; k < 4; ++k) {
        e->filter->state[0][k] = lanes[k][0];
        e->filter->state[1][k] = lanes[k][1];
    }
}

// Frames before any of the echo's four line positions wraps.
inline int room(const EchoLanes& c)
{
    int n = c.length_a - c.read_a;
    n = c.length_a - c.write_a < n ? c.length_a - c.write_a : n;
    n = c.length_b - c.read_b < n ? c.length_b - c.read_b : n;
    n = c.length_b - c.write_b < n ? c.length_b - c.write_b : n;
    return n;
}

// Moves the four line positions on by n frames (at most room()).
inline void advance(EchoLanes& c, int n)
{
    c.read_a += n;
    c.write_a += n;
    c.read_b += n;
    c.write_b += n;
    if (c.read_a >= c.length_a) c.read_a = 0;
    if (c.write_a >= c.length_a) c.write_a = 0;
    if (c.read_b >= c.length_b) c.read_b = 0;
    if (c.write_b >= c.length_b) c.write_b = 0;
}

// fx_detail::echo_frame<false> on (left, right), k frames into a stretch in
// which no line position wraps.
FUSED_INLINE __m128 echo_frame(EchoLanes& c, __m128 in, int k)
{
    const __m128 ab = pair(c.line_a[c.read_a + k], c.line_b[c.read_b + k]);
    const __m128 out = _mm_add_ps(_mm_mul_ps(ab, c.wet), _mm_mul_ps(in, c.dry));
    const __m128 ba = _mm_shuffle_ps(ab, ab, _MM_SHUFFLE(3, 2, 0, 1));
    __m128 x = saturate(_mm_add_ps(in, _mm_mul_ps(ba, c.feedback)));
    c.p1 = add_tiny(_mm_add_ps(c.p1, _mm_mul_ps(c.coef_1, _mm_sub_ps(x, c.p1))));
    c.p2 = _mm_add_ps(c.p2, _mm_mul_ps(c.coef_1, _mm_sub_ps(c.p1, c.p2)));
    c.p3 = add_tiny(_mm_add_ps(c.p3, _mm_mul_ps(c.coef_2, _mm_sub_ps(c.p2, c.p3))));
    c.p4 = _mm_add_ps(c.p4, _mm_mul_ps(c.coef_2, _mm_sub_ps(c.p3, c.p4)));
    const __m128 y = _mm_sub_ps(x, c.p4);
    c.line_a[c.write_a + k] = _mm_cvtss_f32(y);
    c.line_b[c.write_b + k] = _mm_cvtss_f32(_mm_shuffle_ps(y, y, _MM_SHUFFLE(3, 2, 0, 1)));
    return out;
}

}  // namespace

#undef FUSED_INLINE

bool mix_fused_graph_available()
{
    return true;
}

void mix_render_fused_graph(const FusedGraph& g, int frames, int32_t position, int16_t* out)
{
    EchoLanes s = echo_lanes(g.short_echo);
    EchoLanes l = echo_lanes(g.long_echo);
    FxFormant* formant = g.formant;
    const double* t = fx_formant_coeffs[formant->set];
    __m128d tk[11];
    for (int k = 0; k < 11; ++k) tk[k] = _mm_set1_pd(t[k]);
    __m128d h[10];  // newest first, (left, right)
    for (int k = 0; k < 10; ++k) h[k] = _mm_setr_pd(formant->history[0][k], formant->history[1][k]);

    const float* b0 = mix_buses[0].buffer;
    const float* b1 = mix_buses[1].buffer;
    const float* b2 = mix_buses[2].buffer;
    float* b3 = mix_buses[3].buffer;
    float* b4 = mix_buses[4].buffer;
    float* b7 = mix_buses[7].buffer;
    const __m128 zero = _mm_setzero_ps(), one = _mm_set1_ps(1.0f);
    const __m128 g70 = _mm_set1_ps(g.gains_7[0]), g71 = _mm_set1_ps(g.gains_7[1]);
    const __m128 g72 = _mm_set1_ps(g.gains_7[2]), g73 = _mm_set1_ps(g.gains_7[3]);
    const __m128 g74 = _mm_set1_ps(g.gains_7[4]);
    // Stretches in which no delay-line position wraps, so that the frame
    // loop carries no wrap tests.
    for (int start = 0; start < frames;) {
        int n = frames - start;
        n = room(s) < n ? room(s) : n;
        n = room(l) < n ? room(l) : n;
        for (int k = 0; k < n; ++k) {
            const int i = start + k;
            const __m128 in0 = load_pair(b0 + 2 * i);
            const __m128 in1 = load_pair(b1 + 2 * i);
            const __m128 in2 = load_pair(b2 + 2 * i);
            // Bus 3: bus 2, the short echo, the vowel filter.
            __m128 v3 = echo_frame(s, _mm_add_ps(zero, _mm_mul_ps(one, in2)), k);
            const __m128d x = _mm_cvtps_pd(v3);
            __m128d y = _mm_mul_pd(tk[0], x);
            y = _mm_add_pd(y, _mm_mul_pd(tk[1], h[0]));
            y = _mm_add_pd(y, _mm_mul_pd(tk[2], h[1]));
            y = _mm_add_pd(y, _mm_mul_pd(tk[3], h[2]));
            y = _mm_add_pd(y, _mm_mul_pd(tk[4], h[3]));
            y = _mm_add_pd(y, _mm_mul_pd(tk[5], h[4]));
            y = _mm_add_pd(y, _mm_mul_pd(tk[6], h[5]));
            y = _mm_add_pd(y, _mm_mul_pd(tk[7], h[6]));
            y = _mm_add_pd(y, _mm_mul_pd(tk[8], h[7]));
            y = _mm_add_pd(y, _mm_mul_pd(tk[9], h[8]));
            y = _mm_add_pd(y, _mm_mul_pd(tk[10], h[9]));
            h[9] = h[8]; h[8] = h[7]; h[7] = h[6]; h[6] = h[5]; h[5] = h[4];
            h[4] = h[3]; h[3] = h[2]; h[2] = h[1]; h[1] = h[0]; h[0] = y;
            v3 = _mm_cvtpd_ps(y);
            store_pair(b3 + 2 * i, v3);
            // Bus 4: bus 1 and bus 3, the long echo.
            const __m128 v4 = echo_frame(l, _mm_add_ps(_mm_add_ps(zero, _mm_mul_ps(one, in1)),
                                                       _mm_mul_ps(one, v3)), k);
            store_pair(b4 + 2 * i, v4);
            // Bus 7: the output, inputs in slot order.
            __m128 v7 = _mm_add_ps(zero, _mm_mul_ps(g70, in0));
            v7 = _mm_add_ps(v7, _mm_mul_ps(g71, in1));
            v7 = _mm_add_ps(v7, _mm_mul_ps(g72, in2));
            v7 = _mm_add_ps(v7, _mm_mul_ps(g73, v3));
            v7 = _mm_add_ps(v7, _mm_mul_ps(g74, v4));
            store_pair(b7 + 2 * i, v7);
        }
        advance(s, n);
        advance(l, n);
        start += n;
    }
    store_echo(s);
    store_echo(l);
    for (int k = 0; k < 10; ++k) {
        double lanes[2];
        _mm_storeu_pd(lanes, h[k]);
        formant->history[0][k] = lanes[0];
        formant->history[1][k] = lanes[1];
    }
    formant->set = fx_formant_set_for(position);
    if (out != nullptr)
        mix_to_int16(b7, out, frames);
}

#else

bool mix_fused_graph_available()
{
    return false;
}

void mix_render_fused_graph(const FusedGraph&, int, int32_t, int16_t*) {}

#endif
