// Effect units: the saturating high-pass, the echo's impulse response, the
// vowel filter's gains and its set from the song position.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <vector>

#include "mixer/fx.h"
#include "mixer/mixer.h"

namespace {

FxHighpass* fresh_highpass()
{
    return fx_highpass_new(2, 0.01f, 0.0f, 0.12f, 0.0f);
}

}  // namespace

TEST(Highpass, SaturatorHalvesPastEachThresholdThenClamps)
{
    struct Case { float in, saturated; };
    const Case cases[] = {
        {0.1f, 0.1f},     {0.1001f, 0.05005f}, {0.15f, 0.075f}, {0.3f, 0.15f},
        {0.5f, 0.125f},   {1.0f, 0.25f},       {2.0f, 0.25f},   {4.0f, 0.5f},
        {16.0f, 0.5f},    {32.0f, 0.999f},     {1000.0f, 0.999f},
        {-0.3f, -0.15f},  {-1.0f, -0.25f},     {-32.0f, -0.999f}, {0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        FxHighpass* f = fresh_highpass();
        // A fresh filter's low-passed part after one step is 1.44e-6 of the input.
        EXPECT_NEAR(fx_highpass_step(f, c.in, 0), c.saturated * (1 - 1.44e-6), 1e-7) << c.in;
    }
    EXPECT_NEAR(fx_highpass_step(fresh_highpass(), 1.0f, 1), 0.2499996, 1e-7);
}

// The step as the rule reads, branch by branch.
float oracle_highpass_step(FxHighpass* f, float x, int c)
{
    if (x > 0.1f || x < -0.1f) x *= 0.5f;
    if (x > 0.2f || x < -0.2f) x *= 0.5f;
    if (x > 0.4f || x < -0.4f) x *= 0.5f;
    if (x > 0.6f || x < -0.6f) x *= 0.5f;
    if (x > 0.9f || x < -0.9f) x *= 0.5f;
    if (x > 0.999f) x = 0.999f;
    if (x < -0.999f) x = -0.999f;
    float* p = f->state[c];
    p[0] = float(p[0] + f->coef_1 * ((x - p[0]) + f->feedback_1 * (p[0] - p[1])) + 1e-21);
    p[1] = p[1] + f->coef_1 * (p[0] - p[1]);
    p[2] = float(p[2] + f->coef_2 * ((p[1] - p[2]) + f->feedback_2 * (p[2] - p[3])) + 1e-21);
    p[3] = p[3] + f->coef_2 * (p[2] - p[3]);
    return x - p[3];
}

TEST(Highpass, MatchesTheRuleAsWritten)
{
    // Every magnitude from silence to far beyond the clamp, then a long
    // silence, where the 1e-21 offset carries the state; and a resonant one.
    for (float res : {0.0f, 0.3f}) {
        FxHighpass* fast = fx_highpass_new(2, 0.01f, res, 0.12f, res);
        FxHighpass* slow = fx_highpass_new(2, 0.01f, res, 0.12f, res);
        uint32_t seed = 99;
        for (int i = 0; i < 200000; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const float unit = float(seed >> 8) / float(1 << 24) * 2.0f - 1.0f;
            const float x = i < 100000 ? unit * std::ldexp(1.0f, int(seed % 40) - 30) : 0.0f;
            const int c = int(seed >> 31);
            const float a = fx_highpass_step(fast, x, c), b = oracle_highpass_step(slow, x, c);
            ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << i << " x " << x;
        }
        EXPECT_EQ(std::memcmp(fast->state, slow->state, sizeof fast->state), 0);
    }
}

TEST(Highpass, RemovesAConstantAndKeepsChannelsApart)
{
    FxHighpass* f = fresh_highpass();
    float out = 0;
    for (int i = 0; i < 20000; ++i) out = fx_highpass_step(f, 0.05f, 0);
    EXPECT_LT(std::fabs(out), 1e-4);
    EXPECT_EQ(f->state[1][0], 0.0f);
    EXPECT_EQ(f->feedback_1, 0.0f);
    EXPECT_EQ(f->feedback_2, 0.0f);

    // The render walks interleaved values, channel by channel.
    FxHighpass* g = fresh_highpass();
    FxHighpass* h = fresh_highpass();
    float buffer[8] = {0.05f, -0.02f, 0.3f, 0.0f, -0.5f, 0.07f, 0.01f, 0.2f};
    float expected[8];
    for (int i = 0; i < 8; ++i) expected[i] = fx_highpass_step(h, buffer[i], i % 2);
    fx_highpass_render(&g->head, buffer, buffer, 4, 2, 0);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(buffer[i], expected[i]) << i;
}

TEST(Echo, ShortEchoImpulse)
{
    FxUnit* unit = fx_echo_new(2, 440, 850, 0.5993f, 0.5398f, 0.5f, 0.5f);
    ASSERT_NE(unit, nullptr);
    std::vector<float> buffer(2 * 1400, 0.0f);
    buffer[0] = 1.0f;
    unit->render(unit, buffer.data(), buffer.data(), 1400, 2, 0);
    EXPECT_FLOAT_EQ(buffer[0], 0.5f);
    EXPECT_NEAR(buffer[2 * 439], 0.125, 1e-4);
    EXPECT_NEAR(buffer[2 * 1288 + 1], 0.0337, 2e-4);
    for (int i = 1; i < 1288; ++i) {
        if (i == 439) continue;
        ASSERT_LT(std::fabs(buffer[2 * i]), 0.001f) << "left " << i;
        ASSERT_LT(std::fabs(buffer[2 * i + 1]), 0.001f) << "right " << i;
    }
}

TEST(Echo, RenderInPiecesEqualsOneRenderAndZeroFramesChangeNothing)
{
    FxUnit* whole = fx_echo_new(2, 440, 850, 0.5993f, 0.5398f, 0.5f, 0.5f);
    FxUnit* pieces = fx_echo_new(2, 440, 850, 0.5993f, 0.5398f, 0.5f, 0.5f);
    std::vector<float> a(2 * 3000), b;
    for (size_t i = 0; i < a.size(); ++i) a[i] = float(std::sin(0.01 * double(i)) * 0.8);
    b = a;
    whole->render(whole, a.data(), a.data(), 3000, 2, 0);
    int done = 0;
    for (int n : {0, 1, 438, 439, 0, 1000, 1122}) {
        pieces->render(pieces, b.data() + 2 * done, b.data() + 2 * done, n, 2, 0);
        done += n;
    }
    ASSERT_EQ(done, 3000);
    EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(float)), 0);

    auto* e = reinterpret_cast<FxEcho*>(whole);
    FxEcho before = *e;
    FxHighpass filter_before = *e->filter;
    std::vector<float> line_a(e->line_a, e->line_a + e->capacity_a);
    whole->render(whole, nullptr, nullptr, 0, 2, 0);
    EXPECT_EQ(std::memcmp(&before, e, sizeof before), 0);
    EXPECT_EQ(std::memcmp(&filter_before, e->filter, sizeof filter_before), 0);
    EXPECT_EQ(std::memcmp(line_a.data(), e->line_a, line_a.size() * sizeof(float)), 0);
}

TEST(Echo, LengthsAreCutToTheCapacity)
{
    auto* e = reinterpret_cast<FxEcho*>(fx_echo_new(2, 100, 200, 0.5f, 0.5f, 1.0f, 1.0f));
    EXPECT_EQ(e->read_a, 1);
    EXPECT_EQ(e->read_b, 1);
    fx_echo_set_lengths(e, 500, 0);
    EXPECT_EQ(e->length_a, 100);
    EXPECT_EQ(e->length_b, 1);
    EXPECT_EQ(e->read_b, 0);
}

TEST(Formant, SettlesAtTheDcGainOfEachSet)
{
    const double dc_gain[5] = {1.0084, 1.0091, 1.0256, 1.0186, 1.0313};
    for (int set = 0; set < 5; ++set) {
        const double* t = fx_formant_coeffs[set];
        double sum = 0;
        for (int k = 1; k <= 10; ++k) sum += t[k];
        // The gain at 0 Hz, straight from the table, then from the filter.
        EXPECT_NEAR(t[0] / (1.0 - sum), dc_gain[set], 5e-4) << set;
        double h[10] = {};
        double y = 0;
        for (int i = 0; i < 300000; ++i) y = fx_formant_step(1.0, set, h);
        EXPECT_NEAR(y, dc_gain[set], 5e-4) << set;
    }
}

TEST(Formant, StrongestPeakIsThatOfSetA)
{
    // |H| on the unit circle at 44,100 Hz, 1 Hz apart.
    auto magnitude = [](int set, double hz) {
        const double* t = fx_formant_coeffs[set];
        const std::complex<double> z1 = std::polar(1.0, -2 * M_PI * hz / 44100.0);
        std::complex<double> d = 1.0, zk = 1.0;
        for (int k = 1; k <= 10; ++k) {
            zk *= z1;
            d -= t[k] * zk;
        }
        return t[0] / std::abs(d);
    };
    double best = 0, best_hz = 0, best_other = 0;
    for (int set = 0; set < 5; ++set)
        for (double hz = 1; hz < 8000; hz += 1) {
            const double m = magnitude(set, hz);
            if (set == 0 && m > best) { best = m; best_hz = hz; }
            if (set != 0 && m > best_other) best_other = m;
        }
    EXPECT_NEAR(best, 21.6, 0.3);
    EXPECT_NEAR(best_hz, 796, 15);
    EXPECT_LT(best_other, best);
}

TEST(Formant, SetFollowsThePositionOfThePreviousCall)
{
    struct Case { int32_t position; int set; };
    const Case cases[] = {
        {1207, 3}, {0, 0}, {9, 4}, {1, 0}, {10, 0}, {1563, 1},
        {-1, 0}, {-2, 4}, {-37, 2}, {INT32_MIN, 1},
    };
    auto* f = reinterpret_cast<FxFormant*>(fx_formant_new(2, 3));
    ASSERT_EQ(f->set, 3);
    for (const Case& c : cases) {
        float buffer[4] = {0.5f, 0.5f, 0.5f, 0.5f};
        // The call itself still uses the set before it: compare with the step.
        double h[10];
        std::memcpy(h, f->history[0], sizeof h);
        const float expected = float(fx_formant_step(0.5, f->set, h));
        f->head.render(&f->head, buffer, buffer, 1, 2, c.position);
        EXPECT_EQ(buffer[0], expected);
        EXPECT_EQ(f->set, c.set) << c.position;
        EXPECT_EQ(fx_formant_set_for(c.position), c.set) << c.position;
    }
    // Zero frames: nothing rendered, the set still moves on.
    f->head.render(&f->head, nullptr, nullptr, 0, 2, 1207);
    EXPECT_EQ(f->set, 3);
}
