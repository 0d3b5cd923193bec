// The saturating high-pass that sits in each echo's feedback path.
//
// Audio thread: fx_highpass_step and fx_highpass_render. They allocate
// nothing, lock nothing, print nothing and call no library function.
#include "mixer/fx.h"
#include "mixer/mixer.h"

FxHighpass* fx_highpass_new(int channels, float coef_1, float res_1, float coef_2, float res_2)
{
    (void)channels;  // every unit processes at most two channels
    auto* f = static_cast<FxHighpass*>(mix_allocate(sizeof(FxHighpass)));
    if (f == nullptr)
        return nullptr;
    f->head.render = fx_highpass_render;
    f->coef_1 = coef_1;
    f->res_1 = res_1;
    f->coef_2 = coef_2;
    f->res_2 = res_2;
    fx_highpass_tune(f);
    for (auto& channel : f->state)
        for (float& p : channel)
            p = 0.0f;
    return f;
}

void fx_highpass_tune(FxHighpass* f)
{
    f->feedback_1 = float((f->res_1 + f->res_1 / (1.0f - f->coef_1)) * 0.8);
    f->feedback_2 = float((f->res_2 + f->res_2 / (1.0f - f->coef_2)) * 0.8);
}

float fx_highpass_step(FxHighpass* f, float x, int channel)
{
    // Each threshold halves what lies beyond it, so loud feedback is tamed
    // softly before the hard clamp.
    if (x > 0.1f || x < -0.1f) x *= 0.5f;
    if (x > 0.2f || x < -0.2f) x *= 0.5f;
    if (x > 0.4f || x < -0.4f) x *= 0.5f;
    if (x > 0.6f || x < -0.6f) x *= 0.5f;
    if (x > 0.9f || x < -0.9f) x *= 0.5f;
    if (x > 0.999f) x = 0.999f;
    if (x < -0.999f) x = -0.999f;

    float* p = f->state[channel];
    // 1e-21 keeps the stages off denormals once the input is silent.
    p[0] = float(p[0] + f->coef_1 * ((x - p[0]) + f->feedback_1 * (p[0] - p[1])) + 1e-21);
    p[1] = p[1] + f->coef_1 * (p[0] - p[1]);
    p[2] = float(p[2] + f->coef_2 * ((p[1] - p[2]) + f->feedback_2 * (p[2] - p[3])) + 1e-21);
    p[3] = p[3] + f->coef_2 * (p[2] - p[3]);
    return x - p[3];
}

void fx_highpass_render(FxUnit* unit, const float* input, float* output, int frames,
                        int channels, int32_t position)
{
    (void)position;
    auto* f = reinterpret_cast<FxHighpass*>(unit);
    if (channels > 2)
        channels = 2;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c, ++input, ++output)
            *output = fx_highpass_step(f, *input, c);
}
