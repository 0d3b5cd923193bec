// The vowel formant filter: a tenth-order all-pole filter whose coefficient
// set (a, e, i, o, u) follows the song position, changing every two rows.
//
// Audio thread: fx_formant_step, fx_formant_render and fx_formant_set_for.
// They allocate nothing, lock nothing, print nothing and call no library
// function.
#include "mixer/fx.h"
#include "mixer/fx_inline.h"
#include "mixer/mixer.h"

// Each set places five pole pairs at the first five formants of its vowel
// (at 44,100 Hz); the gain at 0 Hz is about 1.01..1.03 for every set.
// Columns: input gain, then the feedback for the outputs 1..10 samples back.
const double fx_formant_coeffs[5][11] = {
    // a: poles near 793, 1156, 2899, 3900, 4950 Hz
    { 8.11044e-06,  8.943665402, -36.83889529, 92.01697887, -154.337906,  181.6233289,
                   -151.8651235,  89.09614114, -35.10298511,  8.388101016, -0.923313471 },
    // e: poles near 348, 2001, 2799, 3900, 4950 Hz
    { 4.36215e-06,  8.90438318,  -36.55179099, 91.05750846, -152.422234,  179.1170248,
                   -149.6496211,  87.78352223, -34.60687431,  8.282228154, -0.914150747 },
    // i: poles near 267, 2142, 2949, 3900, 4950 Hz
    { 3.33819e-06,  8.893102966, -36.49532826, 90.96543286, -152.4545478, 179.4835618,
                   -150.315433,   88.43409371, -34.98612086,  8.407803364, -0.932568035 },
    // o: poles near 444, 804, 2830, 3800, 4950 Hz
    { 1.13572e-06,  8.994734087, -37.2084849,  93.22900521, -156.6929844, 184.596544,
                   -154.3755513,  90.49663749, -35.58964535,  8.478996281, -0.929252233 },
    // u: poles near 319, 703, 2700, 3800, 4950 Hz
    { 4.09431e-07,  8.997322763, -37.20218544, 93.11385476, -156.2530937, 183.7080141,
                   -153.2631681,  89.59539726, -35.12454591,  8.338655623, -0.910251753 },
};
static_assert(sizeof fx_formant_coeffs / sizeof fx_formant_coeffs[0] == 5, "five vowels");
static_assert(sizeof fx_formant_coeffs[0] / sizeof fx_formant_coeffs[0][0] == 11, "gain + ten feedbacks");

FxUnit* fx_formant_new(int channels, int set)
{
    (void)channels;  // every unit processes at most two channels
    auto* f = static_cast<FxFormant*>(mix_allocate(sizeof(FxFormant)));
    if (f == nullptr)
        return nullptr;
    f->head.render = fx_formant_render;
    for (auto& channel : f->history)
        for (double& h : channel)
            h = 0.0;
    f->set = set >= 0 && set < 5 ? set : 0;
    return &f->head;
}

int fx_formant_set_for(int32_t position)
{
    // The player reports -37 between a position jump to order 0 and the next
    // row; a plain remainder would then leave the table.
    const int32_t r = (position / 2) % 5;
    return r < 0 ? r + 5 : r;
}

double fx_formant_step(double x, int set, double* h)
{
    return fx_detail::formant_step(x, fx_formant_coeffs[set], h);
}

void fx_formant_render(FxUnit* unit, const float* input, float* output, int frames,
                       int channels, int32_t position)
{
    auto* f = reinterpret_cast<FxFormant*>(unit);
    if (channels > 2)
        channels = 2;
    const double* t = fx_formant_coeffs[f->set];
    if (channels == 2) {
        // Both channels' histories in locals, so they can stay in registers.
        double left[10], right[10];
        for (int k = 0; k < 10; ++k) {
            left[k] = f->history[0][k];
            right[k] = f->history[1][k];
        }
        for (int i = 0; i < frames; ++i) {
            const float in_left = input[2 * i], in_right = input[2 * i + 1];
            output[2 * i] = float(fx_detail::formant_step(double(in_left), t, left));
            output[2 * i + 1] = float(fx_detail::formant_step(double(in_right), t, right));
        }
        for (int k = 0; k < 10; ++k) {
            f->history[0][k] = left[k];
            f->history[1][k] = right[k];
        }
    } else {
        for (int i = 0; i < frames; ++i)
            for (int c = 0; c < channels; ++c, ++input, ++output)
                *output = float(fx_detail::formant_step(double(*input), t, f->history[c]));
    }
    // The set for the next call: so a call uses the vowel of the previous
    // call's position.
    f->set = fx_formant_set_for(position);
}
