// The saturating high-pass that sits in each echo's feedback path.
//
// Audio thread: fx_highpass_step and fx_highpass_render. They allocate
// nothing, lock nothing, print nothing and call no library function.
#include "mixer/fx.h"
#include "mixer/fx_inline.h"
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
    return fx_detail::resonant(*f) ? fx_detail::highpass_step<true>(*f, f->state[channel], x)
                                   : fx_detail::highpass_step<false>(*f, f->state[channel], x);
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
