// The four modulation waveforms of vibrato (4xy, 6xy) and tremolo (7xy),
// 64 steps per cycle, peak 255. E4y / E7y pick one by y AND 3.
#include <cstdlib>

#include "player/player_state.h"

int16_t pt_waveforms[4][64] = {
    // 0: sine, the classic tracker vibrato table; the second half is the first negated
    {
            0,   24,   49,   74,   97,  120,  141,  161,  180,  197,  212,  224,  235,  244,  250,  253,
          255,  253,  250,  244,  235,  224,  212,  197,  180,  161,  141,  120,   97,   74,   49,   24,
            0,  -24,  -49,  -74,  -97, -120, -141, -161, -180, -197, -212, -224, -235, -244, -250, -253,
         -255, -253, -250, -244, -235, -224, -212, -197, -180, -161, -141, -120,  -97,  -74,  -49,  -24,
    },
    // 1: ramp down, entry i = 255 - 8 i (filled by pt_fill_waveforms)
    {},
    // 2: square
    {
            0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
          255,  255,  255,  255,  255,  255,  255,  255,  255,  255,  255,  255,  255,  255,  255,  255,
            0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
         -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256, -256,
    },
    // 3: random, entry i = (rand() mod 511) - 256 (filled by pt_fill_waveforms)
    {},
};
static_assert(sizeof(pt_waveforms) == 4 * 64 * sizeof(int16_t), "4 waveforms x 64 steps");

void pt_fill_waveforms() {
    for (int i = 0; i < 64; i++) {
        pt_waveforms[PT_WAVE_RAMP][i] = static_cast<int16_t>(255 - 8 * i);
        // rand() is never seeded, so every run of one build hears the same "random" vibrato.
        pt_waveforms[PT_WAVE_RANDOM][i] = static_cast<int16_t>(std::rand() % 511 - 256);
    }
}
