// Conversion of the output bus to clipped signed 16-bit stereo.
//
// Audio thread: mix_to_int16. It allocates nothing, locks nothing, prints
// nothing and calls no library function.
#include "mixer/mixer.h"

void mix_to_int16(const float* src, int16_t* dst, int frames)
{
    // Clipping sits at 0.9999 of full scale (compared in double precision,
    // replaced by the single-precision 0.9999), so the output never exceeds
    // +-32763: deliberate, the production's loudness relies on it.
    for (int i = 0; i < 2 * frames; ++i) {
        float x = src[i];
        if (x < -0.9999) x = -0.9999f;
        if (x > 0.9999) x = 0.9999f;
        int v = int(x * 32767.0f);
        if (v < -32768) v = -32768;
        if (v > 32767) v = 32767;
        dst[i] = int16_t(v);
    }
}
