// Voices: steps from periods, gains, the commit rule, loops and sample ends,
// and the resampler against a plain frame-by-frame oracle.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "mixer/mixer.h"

namespace {

struct Voices : ::testing::Test {
    void SetUp() override
    {
        ASSERT_EQ(mix_init(44100, 4096), 1);
        mix_set_master_volume(64);
        mix_set_voice_count(4);
    }
};

// The resampler as the rule reads, one frame at a time, without fast paths.
int oracle_byte(const MixVoice& v, uint32_t index)
{
    if (index < v.length) return v.data[index];
    uint32_t loop_length = v.loop_end - v.loop_start;
    if (v.looped && loop_length != 0 && index - loop_length < v.length)
        return v.data[index - loop_length];
    return 0;
}

void oracle_render_voice(MixVoice& v, float* buffer, int frames, float left, float right)
{
    if (v.ended) return;
    for (int i = 0; i < frames; ++i) {
        mix_advance(&v.position_frac, &v.position, v.step_frac, v.step);
        if (v.looped) {
            if (v.position > v.loop_end) v.position = v.loop_start + 1;
        } else if (v.position >= v.length) {
            v.position = 0;
            v.step = 0;
            v.step_frac = 0;
            v.volume = 0;
            v.ended = 1;
            return;
        }
        int s0 = oracle_byte(v, v.position);
        int s1 = oracle_byte(v, v.position + 1);
        float w = float(v.position_frac >> 16) / 65536.0f;
        float value = (1 - w) * s0 / 128 + w * s1 / 128;
        buffer[2 * i] += value * left;
        buffer[2 * i + 1] += value * right;
    }
}

MixVoice voice_on(const std::vector<int8_t>& data, uint32_t loop_start, uint32_t loop_end,
                  int looped)
{
    MixVoice v;
    mix_voice_reset(&v);
    v.data = data.data();
    v.length = uint32_t(data.size());
    v.loop_start = loop_start;
    v.loop_end = loop_end;
    v.looped = looped;
    v.volume = 64;
    return v;
}

}  // namespace

TEST_F(Voices, StepFromPeriod)
{
    struct Case { int period; uint32_t step, step_frac; };
    const Case cases[] = {
        {428, 0, 807083520u},   // 0x301B1E00
        {27,  2, 4203837440u},
        {0,   0, 0},
        {-3,  0, 0},            // vibrato below zero: no pitch
    };
    for (const Case& c : cases) {
        mix_select_voice(1);
        mix_pending_voices[1].step_changed = 0;
        mix_set_period(c.period);
        EXPECT_EQ(mix_pending_voices[1].step, c.step) << c.period;
        EXPECT_EQ(mix_pending_voices[1].step_frac, c.step_frac) << c.period;
        EXPECT_EQ(mix_pending_voices[1].step_changed, 1) << c.period;
    }
    mix_set_period(1);
    EXPECT_EQ(mix_pending_voices[1].step, 80u);
    EXPECT_EQ(mix_pending_voices[1].step_frac & 0xFF, 0u);
}

TEST_F(Voices, StepFollowsTheOpenedRate)
{
    // At 22050 Hz the same period needs twice the step: pitch is kept.
    ASSERT_EQ(mix_init(22050, 1024), 1);
    mix_select_voice(0);
    mix_set_period(428);
    const uint64_t slow = uint64_t(mix_pending_voices[0].step) << 32 | mix_pending_voices[0].step_frac;
    ASSERT_EQ(mix_init(44100, 1024), 1);
    mix_set_period(428);
    const uint64_t fast = uint64_t(mix_pending_voices[0].step) << 32 | mix_pending_voices[0].step_frac;
    EXPECT_NEAR(double(slow) / double(fast), 2.0, 1e-6);
}

TEST_F(Voices, Gains)
{
    struct Case { int panning, volume, master; float left, right; };
    const Case cases[] = {
        {127, 64,  64, 0.5078125f, 0.5f},
        {0,   64,  63, 0.9921875f, 0.0f},
        {255, 64,  63, 0.0f,       0.9921875f},
        {128, 64, 252, 1.984375f,  2.0f},
        {0,  255, 252, 15.875f,    0.0f},    // effect C's raw 255
        {127,  0,  64, 0.0f,       0.0f},
    };
    for (const Case& c : cases) {
        MixVoice v;
        mix_voice_reset(&v);
        v.panning = c.panning;
        v.volume = c.volume;
        mix_master_volume = c.master;
        float left, right;
        mix_voice_gains(&v, &left, &right);
        EXPECT_EQ(left, c.left) << c.panning << " " << c.volume << " " << c.master;
        EXPECT_EQ(right, c.right) << c.panning << " " << c.volume << " " << c.master;
    }
}

TEST_F(Voices, MasterVolumeIsCappedAt252)
{
    const int cases[][2] = {{300, 252}, {253, 252}, {252, 252}, {64, 64}, {0, 0}};
    for (const auto& c : cases) {
        mix_set_master_volume(c[0]);
        EXPECT_EQ(mix_master_volume, c[1]) << c[0];
    }
}

TEST_F(Voices, CommitKeepsWhatThePlayerDidNotSet)
{
    MixVoice& live = mix_live_voices[2];
    MixVoice& pending = mix_pending_voices[2];
    mix_select_voice(2);
    mix_set_period(428);
    mix_set_position(0);
    mix_commit_voice(&live, &pending);
    live.position = 77;
    live.position_frac = 5;
    live.step = 3;
    live.step_frac = 0x100;

    // A new period only: the live position survives, the step is replaced.
    mix_set_period(214);
    mix_set_volume(40);
    mix_set_panning(200);
    mix_commit_voice(&live, &pending);
    EXPECT_EQ(live.position, 77u);
    EXPECT_EQ(live.position_frac, 5u);
    EXPECT_EQ(live.step, pending.step);
    EXPECT_EQ(live.step_frac, pending.step_frac);
    EXPECT_EQ(live.volume, 40);
    EXPECT_EQ(live.panning, 200);
    EXPECT_EQ(pending.step_changed, 0);

    // Nothing set: position and step both survive, volume is copied again.
    live.position = 90;
    live.step = 1;
    mix_set_volume(12);
    mix_commit_voice(&live, &pending);
    EXPECT_EQ(live.position, 90u);
    EXPECT_EQ(live.step, 1u);
    EXPECT_EQ(live.volume, 12);
}

TEST_F(Voices, CommitTakesANewPositionAndKeepsTheStep)
{
    std::vector<int8_t> data(100, 1);
    mix_define_sample(5, data.data(), 100, 0, 0, 0);
    MixVoice& live = mix_live_voices[0];
    MixVoice& pending = mix_pending_voices[0];
    mix_commit_voice(&live, &pending);  // clears the reset flags
    live.step = 2;
    live.step_frac = 0x1000;
    mix_select_voice(0);
    mix_set_sample(5);
    mix_set_position(40);
    mix_commit_voice(&live, &pending);
    EXPECT_EQ(live.position, 40u);
    EXPECT_EQ(live.position_frac, 0u);
    EXPECT_EQ(live.step, 2u);
    EXPECT_EQ(live.step_frac, 0x1000u);
    EXPECT_EQ(pending.position_changed, 0);
}

TEST_F(Voices, SetPositionBeyondTheLengthOrTheLoop)
{
    std::vector<int8_t> data(100, 0);
    mix_define_sample(7, data.data(), 100, 10, 50, 1);
    mix_select_voice(3);
    MixVoice& v = mix_pending_voices[3];
    mix_set_sample(7);
    mix_set_position(20);
    v.position_changed = 0;

    mix_set_position(100);  // at the length: nothing moves, the loop goes off
    EXPECT_EQ(v.position, 20u);
    EXPECT_EQ(v.position_changed, 0);
    EXPECT_EQ(v.looped, 0);

    mix_set_sample(7);  // the sample's flag comes back
    EXPECT_EQ(v.looped, 1);
    mix_set_position(60);  // past the loop end, inside the data
    EXPECT_EQ(v.position, 60u);
    EXPECT_EQ(v.position_changed, 1);
    EXPECT_EQ(v.looped, 0);
}

TEST_F(Voices, DefineSampleKeepsTheLoopInsideTheData)
{
    std::vector<int8_t> data(64, 0);
    mix_define_sample(9, data.data(), 64, 80, 120, 1);
    EXPECT_EQ(mix_samples[9].loop_end, 64u);
    EXPECT_EQ(mix_samples[9].loop_start, 64u);
    mix_define_sample(0, data.data(), 64, 0, 0, 0);  // record 0 is never defined
    mix_define_sample(40, data.data(), 64, 0, 0, 0);
    EXPECT_EQ(mix_samples[0].length, 0u);
}

TEST_F(Voices, LoopWrapsToOnePastTheLoopStartKeepingTheFraction)
{
    std::vector<int8_t> data(32);
    for (int i = 0; i < 32; ++i) data[i] = int8_t(i * 4);
    MixVoice v = voice_on(data, 8, 20, 1);
    v.position = 20;
    v.position_frac = 0x80000000u;
    v.step = 0;
    v.step_frac = 0x40000000u;  // a quarter: stays at 20 once, then wraps
    float buffer[4] = {};
    mix_render_voice(&v, buffer, 2, 1.0f, 1.0f);
    // Frame 0 at 20.75: between bytes 20 and 21.
    EXPECT_FLOAT_EQ(buffer[0], (0.25f * 80 + 0.75f * 84) / 128);
    // Frame 1: 21.0 > 20 wraps to 9 with fraction 0.
    EXPECT_EQ(v.position, 9u);
    EXPECT_EQ(v.position_frac, 0u);
    EXPECT_FLOAT_EQ(buffer[2], 36.0f / 128);
}

TEST_F(Voices, TheInterpolationNeverReadsPastTheData)
{
    // Bytes beyond the registered length are poison: they must not be heard.
    std::vector<int8_t> storage(40, 100);
    for (int i = 0; i < 16; ++i) storage[i] = int8_t(i);
    std::vector<int8_t> data(storage.begin(), storage.begin() + 16);

    // Unlooped, at the last byte, halfway: the byte after counts as 0.
    MixVoice v = voice_on(data, 0, 0, 0);
    v.data = storage.data();
    v.position = 14;
    v.position_frac = 0x80000000u;
    v.step = 1;
    float buffer[2] = {};
    mix_render_voice(&v, buffer, 1, 1.0f, 0.0f);
    EXPECT_FLOAT_EQ(buffer[0], (0.5f * 15 + 0.5f * 0) / 128);

    // A loop that ends at the sample end continues with the loop's bytes.
    MixVoice w = voice_on(data, 4, 16, 1);
    w.data = storage.data();
    w.position = 15;
    w.position_frac = 0x80000000u;
    w.step = 1;  // to 16.5 == loop_end: no wrap; bytes 16, 17 are 4, 5
    float looped[2] = {};
    mix_render_voice(&w, looped, 1, 1.0f, 0.0f);
    EXPECT_EQ(w.position, 16u);
    EXPECT_FLOAT_EQ(looped[0], (0.5f * 4 + 0.5f * 5) / 128);
}

TEST_F(Voices, AVoiceThatRanOffItsSampleStaysSilent)
{
    std::vector<int8_t> data(64, 50);  // first bytes not 0: a constant would be heard
    mix_define_sample(13, data.data(), 64, 0, 0, 0);
    mix_select_voice(0);
    mix_set_sample(13);
    mix_set_volume(64);
    mix_set_period(107);  // a little over 0.75 byte per frame
    mix_set_position(0);
    int16_t out[2 * 200];
    mix_render(out, 100, 0, 0);
    const MixVoice& live = mix_live_voices[0];
    EXPECT_EQ(live.ended, 1);
    EXPECT_EQ(live.position, 0u);
    EXPECT_EQ(live.step, 0u);
    EXPECT_EQ(live.volume, 0);

    // The frames after the end of the data are silent in the call that passed it...
    std::vector<float> bus(mix_buses[0].buffer, mix_buses[0].buffer + 200);
    int last_sound = -1;
    for (int i = 0; i < 100; ++i)
        if (bus[2 * i] != 0.0f) last_sound = i;
    EXPECT_GT(last_sound, 70);
    EXPECT_LT(last_sound, 90);
    // ...and in the next calls, though the commit brings the volume back.
    mix_render(out, 100, 0, 0);
    EXPECT_EQ(mix_live_voices[0].volume, 64);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(mix_buses[0].buffer[i], 0.0f);
    // A new period restarts it from the start of the data.
    mix_set_period(214);
    mix_render(out, 10, 0, 0);
    EXPECT_EQ(mix_live_voices[0].ended, 0);
    EXPECT_NE(mix_buses[0].buffer[0], 0.0f);
}

TEST_F(Voices, ResamplerMatchesTheFrameByFrameOracle)
{
    std::mt19937 rng(1234);
    auto uniform = [&](uint32_t lo, uint32_t hi) {
        return std::uniform_int_distribution<uint32_t>(lo, hi)(rng);
    };
    std::vector<int8_t> data(5000);
    for (int8_t& b : data) b = int8_t(uniform(0, 255));
    for (int trial = 0; trial < 3000; ++trial) {
        MixVoice v;
        mix_voice_reset(&v);
        v.data = data.data();
        v.length = uniform(1, 5000);
        v.looped = int(uniform(0, 1));
        v.loop_end = uniform(0, 3) == 0 ? v.length : uniform(0, v.length);
        v.loop_start = uniform(0, v.loop_end);
        v.volume = 64;
        v.position = uniform(0, v.length + 20);
        v.position_frac = uint32_t(rng());
        const uint32_t kind = uniform(0, 3);
        v.step = kind == 0 ? 0 : kind == 1 ? uniform(0, 3) : kind == 2 ? 0 : uniform(0, 90);
        v.step_frac = kind == 2 ? 0 : uint32_t(rng()) & 0xFFFFFF00u;
        const int frames = int(uniform(0, 3000));
        std::vector<float> fast(2 * frames, 0.25f), slow(2 * frames, 0.25f);
        MixVoice a = v, b = v;
        mix_render_voice(&a, fast.data(), frames, 0.7f, 0.3f);
        oracle_render_voice(b, slow.data(), frames, 0.7f, 0.3f);
        if (frames > 0) {
            ASSERT_EQ(std::memcmp(fast.data(), slow.data(), fast.size() * sizeof(float)), 0)
                << "trial " << trial;
        }
        ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << "trial " << trial;
    }
}
