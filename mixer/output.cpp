// Conversion of the output bus to clipped signed 16-bit stereo.
//
// Audio thread: mix_to_int16. It allocates nothing, locks nothing, prints
// nothing and calls no library function.
#include "mixer/mixer.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Clipping sits at 0.9999 of full scale (compared in double precision,
// replaced by the single-precision 0.9999), so the output never exceeds
// +-32763: deliberate, the production's loudness relies on it. No float
// lies between the double 0.9999 and the float 0.9999f (the float nearest
// to it, just below it), so comparing with 0.9999f picks the same values.
inline int16_t convert_one(float x)
{
    x = x < -0.9999f ? -0.9999f : x;
    x = x > 0.9999f ? 0.9999f : x;
    int v = int(x * 32767.0f);
    if (v < -32768) v = -32768;
    if (v > 32767) v = 32767;
    return int16_t(v);
}

}  // namespace

void mix_to_int16(const float* src, int16_t* dst, int frames)
{
    const int count = 2 * frames;
    int i = 0;
#if defined(__SSE2__)
    // Eight values at a time: the same clamp (min and max give the same
    // result for every number), product, truncation, and a saturating pack
    // for the int16 limit.
    const __m128 low = _mm_set1_ps(-0.9999f), high = _mm_set1_ps(0.9999f);
    const __m128 scale = _mm_set1_ps(32767.0f);
    for (; i + 8 <= count; i += 8) {
        __m128 a = _mm_loadu_ps(src + i), b = _mm_loadu_ps(src + i + 4);
        a = _mm_min_ps(_mm_max_ps(a, low), high);
        b = _mm_min_ps(_mm_max_ps(b, low), high);
        const __m128i ia = _mm_cvttps_epi32(_mm_mul_ps(a, scale));
        const __m128i ib = _mm_cvttps_epi32(_mm_mul_ps(b, scale));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_packs_epi32(ia, ib));
    }
#endif
    for (; i < count; ++i)
        dst[i] = convert_one(src[i]);
}
