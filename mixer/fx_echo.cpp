// The stereo cross-feedback echo with its high-pass in the feedback path.
//
// Audio thread: fx_echo_render. It allocates nothing, locks nothing, prints
// nothing and calls no library function.
#include "mixer/fx.h"
#include "mixer/fx_inline.h"
#include "mixer/mixer.h"

FxUnit* fx_echo_new(int channels, int len_a, int len_b, float feedback_a, float feedback_b,
                    float dry, float wet)
{
    if (len_a < 1) len_a = 1;
    if (len_b < 1) len_b = 1;
    auto* e = static_cast<FxEcho*>(mix_allocate(sizeof(FxEcho)));
    if (e == nullptr)
        return nullptr;
    e->head.render = fx_echo_render;
    e->capacity_a = len_a;
    e->capacity_b = len_b;
    e->line_a = static_cast<float*>(mix_allocate(sizeof(float) * size_t(len_a)));
    e->line_b = static_cast<float*>(mix_allocate(sizeof(float) * size_t(len_b)));
    if (e->line_a == nullptr || e->line_b == nullptr)
        return nullptr;
    for (int i = 0; i < len_a; ++i) e->line_a[i] = 0.0f;
    for (int i = 0; i < len_b; ++i) e->line_b[i] = 0.0f;
    e->feedback_a = feedback_a;
    e->feedback_b = feedback_b;
    e->wet_left = e->wet_right = wet;
    e->dry_left = e->dry_right = dry;
    e->write_a = 0;
    e->write_b = 0;
    fx_echo_set_lengths(e, len_a, len_b);
    e->filter = fx_highpass_new(channels, 0.01f, 0.0f, 0.12f, 0.0f);
    if (e->filter == nullptr)
        return nullptr;
    return &e->head;
}

void fx_echo_set_lengths(FxEcho* e, int a, int b)
{
    if (a > e->capacity_a) a = e->capacity_a;
    if (b > e->capacity_b) b = e->capacity_b;
    if (a < 1) a = 1;
    if (b < 1) b = 1;
    e->length_a = a;
    e->length_b = b;
    e->read_a = (e->write_a + 1) % a;
    e->read_b = (e->write_b + 1) % b;
}

namespace {

template <bool kResonant>
void echo_frames(FxEcho* e, const float* input, float* output, int frames)
{
    // Positions, gains and filter state in locals: the output buffer could
    // otherwise alias them.
    fx_detail::EchoCursor c;
    fx_detail::echo_load(c, *e);
    for (int i = 0; i < frames; ++i)
        fx_detail::echo_frame<kResonant>(c, input[2 * i], input[2 * i + 1], &output[2 * i],
                                         &output[2 * i + 1]);
    fx_detail::echo_store(c, *e);
}

}  // namespace

void fx_echo_render(FxUnit* unit, const float* input, float* output, int frames,
                    int channels, int32_t position)
{
    (void)channels;  // always stereo pairs
    (void)position;
    auto* e = reinterpret_cast<FxEcho*>(unit);
    if (fx_detail::resonant(*e->filter))
        echo_frames<true>(e, input, output, frames);
    else
        echo_frames<false>(e, input, output, frames);
}
