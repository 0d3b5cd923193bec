// The beat pulses: arming on a trigger, the sin(sqrt(rate x elapsed)) shape,
// the end of a pulse, and the samples that have none.
#include <gtest/gtest.h>

#include <cmath>

#include "demo/demo.h"
#include "player/player.h"

namespace {

constexpr int32_t never = 999999;

class Pulse : public ::testing::Test {
protected:
    void SetUp() override {
        demo_pulse_reset();
        for (auto& age : pt_trigger_age) age.store(never);
    }
    static void set_age(int sample, int32_t age) { pt_trigger_age[sample].store(age); }
};

struct PulseRate {
    int sample;
    double rate;
    double length;  // 3.141592^2 / rate
};
const PulseRate rates[] = {
    {18, 15.0, 3.141592 * 3.141592 / 15.0},
    {19, 80.0, 3.141592 * 3.141592 / 80.0},
};

TEST_F(Pulse, UntriggeredSampleStaysAtZeroOnceTheStartupSwellIsOver) {
    for (const PulseRate& r : rates) {
        // start is 0.0 at first: calls before the pulse length see a swell
        // without any trigger; after it, nothing.
        EXPECT_GT(demo_pulse(r.sample, float(r.length / 4)), 0.0) << r.sample;
        for (float t : {float(r.length + 0.01), 5.0f, 100.0f})
            EXPECT_EQ(demo_pulse(r.sample, t), 0.0) << r.sample << " at " << t;
    }
}

TEST_F(Pulse, TriggerStartsAPulseThatRisesPeaksAndEnds) {
    for (const PulseRate& r : rates) {
        SetUp();
        const float t0 = 10.0f;
        EXPECT_EQ(demo_pulse(r.sample, t0 - 1.0f), 0.0);  // idle, start-up swell long over
        set_age(r.sample, 0);
        EXPECT_EQ(demo_pulse(r.sample, t0), 0.0) << "the arming call gives sin(0)";
        set_age(r.sample, 20);  // the trigger is old now; the pulse runs on
        const float peak = float(t0 + (3.141592 / 2) * (3.141592 / 2) / r.rate);
        const double expected_peak = std::sin(std::sqrt((double(peak) - double(t0)) * r.rate));
        EXPECT_NEAR(demo_pulse(r.sample, peak), expected_peak, 1e-12);
        EXPECT_NEAR(demo_pulse(r.sample, peak), 1.0, 1e-5);
        const float late = float(t0 + 0.9 * r.length);
        EXPECT_GT(demo_pulse(r.sample, late), 0.0);
        EXPECT_LT(demo_pulse(r.sample, late), 0.5);
        EXPECT_EQ(demo_pulse(r.sample, float(t0 + r.length + 1e-4)), 0.0) << "past the end";
        EXPECT_EQ(demo_pulse(r.sample, float(t0 + r.length + 0.1)), 0.0) << "idle again";
    }
}

TEST_F(Pulse, TriggerDuringARunningPulseDoesNotRestartIt) {
    set_age(18, 0);
    demo_pulse(18, 10.0f);
    set_age(18, 0);  // struck again 0.3 s later
    const double at = demo_pulse(18, 10.3f);
    EXPECT_NEAR(at, std::sin(std::sqrt((double(10.3f) - 10.0) * 15.0)), 1e-12);
    EXPECT_GT(at, 0.0);
}

TEST_F(Pulse, PulseEndsAndRearmsInTheSameFrame) {
    set_age(19, 0);
    demo_pulse(19, 10.0f);
    const float after = 10.2f;  // past 0.123 s
    EXPECT_EQ(demo_pulse(19, after), 0.0) << "this call disarms";
    EXPECT_EQ(demo_pulse(19, after), 0.0) << "the next call re-arms: sin(0)";
    EXPECT_GT(demo_pulse(19, after + 0.01f), 0.0) << "a new pulse from the second call";
}

TEST_F(Pulse, OnlyAgesBelowSixTicksTrigger) {
    const struct { int32_t age; bool triggers; } cases[] = {
        {-1, true}, {0, true}, {5, true}, {6, false}, {7, false}, {never, false},
    };
    for (const auto& c : cases) {
        SetUp();
        set_age(18, c.age);
        demo_pulse(18, 10.0f);
        EXPECT_EQ(demo_pulse(18, 10.1f) > 0.0, c.triggers) << "age " << c.age;
    }
}

TEST_F(Pulse, OtherSamplesGiveNothingAndTouchNothing) {
    for (int sample : {0, 1, 17, 20, 31, -5, 1000}) {
        if (sample >= 0 && sample < 32) set_age(sample, 0);
        EXPECT_EQ(demo_pulse(sample, 0.05f), 0.0) << sample;
    }
    // The records of 18 and 19 are untouched: still idle with start 0.
    EXPECT_GT(demo_pulse(18, 0.1f), 0.0);
}

}  // namespace
