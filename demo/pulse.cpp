// Beat pulses: note triggers of samples 18 and 19 become one-shot swells.
//
// Main thread only. The trigger ages are written by the audio thread; a stale
// read only moves a pulse's start by one frame.
#include <cmath>

#include "demo/demo.h"
#include "player/player.h"

namespace {

struct DemoPulse {
    int armed;    // 1 while a pulse runs; new triggers are ignored meanwhile
    float start;  // demo time at which the running (or last) pulse began
};

struct PulsedSample {
    int sample;
    double rate;  // pulse length is 3.141592^2 / rate seconds
};

constexpr PulsedSample pulsed_samples[] = {
    // sample  rate      length   peak
    {     18,  15.0 },  // 0.658 s  0.164 s
    {     19,  80.0 },  // 0.123 s  0.031 s
};
static_assert(sizeof(pulsed_samples) / sizeof(pulsed_samples[0]) == 2, "two pulsed samples");

// Deliberately a little below pi: the pulse ends just before the sine would
// turn negative, and the timings of the scenes were tuned with it.
constexpr double pulse_end_phase = 3.141592;
constexpr int32_t trigger_window_ticks = 6;  // one row at speed 6

DemoPulse pulses[2];

}  // namespace

double demo_pulse(int sample, float t) {
    int k;
    if (sample == 18) k = 0;
    else if (sample == 19) k = 1;
    else return 0.0;

    DemoPulse& pulse = pulses[k];
    const int32_t age = pt_trigger_age[sample].load(std::memory_order_relaxed);
    if (age < trigger_window_ticks && !pulse.armed) {
        pulse.armed = 1;
        pulse.start = t;
    }
    const double phase = std::sqrt((double(t) - double(pulse.start)) * pulsed_samples[k].rate);
    if (phase < pulse_end_phase) return std::sin(phase);
    pulse.armed = 0;
    return 0.0;
}

void demo_pulse_reset() {
    pulses[0] = DemoPulse{0, 0.0f};
    pulses[1] = DemoPulse{0, 0.0f};
}
