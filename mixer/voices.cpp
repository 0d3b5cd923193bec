// Voices: the sample records, the pending and live voice tables, the nine
// voice operations, the commit, the gains and the resampler.
//
// Audio thread: mix_select_voice, mix_set_sample, mix_set_period,
// mix_set_volume, mix_set_panning, mix_set_position (inside the sequencer
// tick), mix_commit_voice, mix_voice_gains and mix_render_voice (inside
// mix_render). They allocate nothing, lock nothing, print nothing and touch
// no file.
#include "mixer/mixer.h"

#include <cmath>
#include <cstring>

#include "player/sound_driver.h"

MixSample mix_samples[MIX_MAX_SAMPLES];
MixVoice mix_pending_voices[MIX_MAX_VOICES];
MixVoice mix_live_voices[MIX_MAX_VOICES];
MixVoice* mix_current_voice = &mix_pending_voices[0];
int32_t mix_rate = 44100;
int32_t mix_master_volume = 63;
int32_t mix_voice_count = 4;

namespace {

// Tracker clock of the period-to-step rule (deliberately 3546836, not the
// PAL figure 3546895: the tuning of the whole song rests on it).
constexpr uint32_t kPeriodClock = 3546836;

}  // namespace

void mix_install()
{
    SoundDriver.define_sample = mix_define_sample;
    SoundDriver.select_voice = mix_select_voice;
    SoundDriver.set_sample = mix_set_sample;
    SoundDriver.set_period = mix_set_period;
    SoundDriver.set_volume = mix_set_volume;
    SoundDriver.set_panning = mix_set_panning;
    SoundDriver.set_position = mix_set_position;
    SoundDriver.set_master_volume = mix_set_master_volume;
    SoundDriver.set_voice_count = mix_set_voice_count;
}

// --- Resets ---------------------------------------------------------------------

void mix_voice_reset(MixVoice* voice)
{
    std::memset(voice, 0, sizeof *voice);
    voice->panning = 127;
    voice->step_changed = 1;
    voice->position_changed = 1;
}

void mix_sample_reset(MixSample* sample)
{
    std::memset(sample, 0, sizeof *sample);
    sample->bus = &mix_buses[0];
}

// --- The voice operations -------------------------------------------------------

int mix_define_sample(int n, const int8_t* data, uint32_t length, uint32_t loop_start,
                      uint32_t loop_end, int looped)
{
    if (n < 1 || n >= MIX_MAX_SAMPLES)
        return 1;
    if (data == nullptr)
        length = 0;
    // The renderer trusts the loop to lie inside the data.
    if (loop_end > length)
        loop_end = length;
    if (loop_start > loop_end)
        loop_start = loop_end;
    MixSample& s = mix_samples[n];
    s.data = data;
    s.length = length;
    s.loop_start = loop_start;
    s.loop_end = loop_end;
    s.looped = looped;
    return 1;
}

void mix_select_voice(int n)
{
    if (n >= 0 && n < MIX_MAX_VOICES)
        mix_current_voice = &mix_pending_voices[n];
}

void mix_set_sample(int n)
{
    if (n < 0 || n >= MIX_MAX_SAMPLES)
        return;
    const MixSample& s = mix_samples[n];
    MixVoice* v = mix_current_voice;
    v->sample = n;
    v->data = s.data;
    v->length = s.length;
    v->loop_start = s.loop_start;
    v->loop_end = s.loop_end;
    v->looped = s.looped;
}

void mix_set_period(int period)
{
    MixVoice* v = mix_current_voice;
    v->step_changed = 1;
    // Vibrato can push a small period below zero; such a pitch is as good as none.
    if (period <= 0 || mix_rate <= 0) {
        v->step = 0;
        v->step_frac = 0;
        return;
    }
    double x = double(kPeriodClock) / (double(mix_rate) * double(period));
    double whole;
    double frac = std::modf(x, &whole);
    v->step = (kPeriodClock / uint32_t(period)) / uint32_t(mix_rate);
    // 24 significant bits of fraction, in the top of the word.
    v->step_frac = uint32_t(frac * 16777216.0) << 8;
}

void mix_set_volume(int volume)
{
    mix_current_voice->volume = volume;
}

void mix_set_panning(int panning)
{
    mix_current_voice->panning = panning;
}

void mix_set_position(uint32_t offset)
{
    MixVoice* v = mix_current_voice;
    if (offset > v->loop_end)
        v->looped = 0;
    if (offset < v->length) {
        v->position = offset;
        v->position_frac = 0;
        v->position_changed = 1;
    }
}

void mix_set_master_volume(int volume)
{
    mix_master_volume = volume > 252 ? 252 : volume;
}

void mix_set_voice_count(int count)
{
    mix_voice_count = count < 0 ? 0 : count > MIX_MAX_VOICES ? MIX_MAX_VOICES : count;
}

// --- Commit and gains -----------------------------------------------------------

void mix_commit_voice(MixVoice* live, MixVoice* pending)
{
    const uint32_t position = live->position, position_frac = live->position_frac;
    const uint32_t step = live->step, step_frac = live->step_frac;
    const int32_t ended = live->ended;
    *live = *pending;
    live->ended = ended;
    if (pending->position_changed == 0) {
        live->position = position;
        live->position_frac = position_frac;
    } else {
        pending->position_changed = 0;
        live->ended = 0;
    }
    if (pending->step_changed == 0) {
        live->step = step;
        live->step_frac = step_frac;
    } else {
        pending->step_changed = 0;
        live->ended = 0;
    }
}

void mix_voice_gains(const MixVoice* voice, float* left, float* right)
{
    // Unsigned 32-bit products and truncating divisions: 8064 = 63 * 128, so a
    // hard-panned voice at volume 64 and master volume 63 gets 0.9921875.
    const uint32_t p = uint32_t(voice->panning);
    const uint32_t v = uint32_t(voice->volume);
    const uint32_t m = uint32_t(mix_master_volume);
    *left = float((255u - p) * v * m / 8064u) / 128.0f;
    *right = float(p * v * m / 8064u) / 128.0f;
}

// --- Resampling -----------------------------------------------------------------

namespace {

// Byte `index` of the voice's data. Past the end it takes the byte the loop
// continues with (index - loop length) for a looped voice, else 0: the
// interpolation never reads outside the registered data.
inline int guarded_byte(const MixVoice& v, uint32_t index)
{
    if (index < v.length)
        return v.data[index];
    const uint32_t loop_length = v.loop_end - v.loop_start;
    if (v.looped && loop_length != 0 && index - loop_length < v.length)
        return v.data[index - loop_length];
    return 0;
}

// Linear interpolation at the top 16 bits of the fraction. Every product and
// the sum are exact in single precision (at most 23 significant bits), so
// the value does not depend on how the expression is grouped.
inline float interpolate(int s0, int s1, uint32_t frac)
{
    const float w = float(frac >> 16) * (1.0f / 65536.0f);
    return (1.0f - w) * (float(s0) * (1.0f / 128.0f)) + w * (float(s1) * (1.0f / 128.0f));
}

// Frames, starting from fixed-point position `pos`, that advance to a byte
// index below `limit` (each frame advances first).
inline uint64_t frames_below(uint64_t pos, uint64_t step, uint64_t limit)
{
    const uint64_t end = limit << 32;  // first position not allowed
    if (pos >= end)
        return 0;
    if (step == 0)
        return ~uint64_t(0);
    return (end - 1 - pos) / step;
}

}  // namespace

void mix_render_voice(MixVoice* voice, float* buffer, int frames, float left, float right)
{
    MixVoice& v = *voice;
    if (v.ended)
        return;
    uint64_t pos = uint64_t(v.position) << 32 | v.position_frac;
    uint64_t step = uint64_t(v.step) << 32 | v.step_frac;
    const int8_t* data = v.data;

    // Below `safe` no frame needs a loop or end test and both bytes lie inside
    // the data; the rare frames at the boundary take the careful path.
    const uint64_t boundary = v.looped ? uint64_t(v.loop_end) + 1 : uint64_t(v.length);
    uint64_t safe = v.length > 0 ? uint64_t(v.length) - 1 : 0;
    if (boundary < safe)
        safe = boundary;

    // The run below computes the interpolated value as the integer
    // s0 * 65536 + (s1 - s0) * h = value * 2^23 (exact, |.| <= 2^23) and
    // scales the gains by 2^-23 instead: scaling by a power of two commutes
    // with rounding here, so every sum is the one interpolate() gives.
    const float left_scaled = left * 0x1p-23f;
    const float right_scaled = right * 0x1p-23f;

    int i = 0;
    while (i < frames) {
        uint64_t run = frames_below(pos, step, safe);
        int n = run < uint64_t(frames - i) ? int(run) : frames - i;
        float* out = buffer + 2 * i;
        for (int k = 0; k < n; ++k) {
            pos += step;
            const uint32_t index = uint32_t(pos >> 32);
            const int32_t s0 = data[index], s1 = data[index + 1];
            const int32_t h = int32_t(uint32_t(pos) >> 16);
            const float scaled = float(s0 * 65536 + (s1 - s0) * h);
            out[2 * k] += scaled * left_scaled;
            out[2 * k + 1] += scaled * right_scaled;
        }
        i += n;
        if (i >= frames)
            break;

        // One frame at a loop end, at the sample end, or reading past the end.
        pos += step;
        uint32_t index = uint32_t(pos >> 32);
        if (v.looped) {
            if (index > v.loop_end) {
                // The overshoot is dropped; the fraction stays.
                index = v.loop_start + 1;
                pos = uint64_t(index) << 32 | uint32_t(pos);
            }
        } else if (index >= v.length) {
            // Ran off the end: the live record stops and stays silent until
            // the player gives it a new period or position.
            v.position = 0;
            v.position_frac = uint32_t(pos);
            v.step = 0;
            v.step_frac = 0;
            v.volume = 0;
            v.ended = 1;
            return;
        }
        const float value =
            interpolate(guarded_byte(v, index), guarded_byte(v, index + 1), uint32_t(pos));
        buffer[2 * i] += value * left;
        buffer[2 * i + 1] += value * right;
        ++i;
    }
    v.position = uint32_t(pos >> 32);
    v.position_frac = uint32_t(pos);
}
