// The fuzz target shared by the libFuzzer binary and the corpus replay test:
// arbitrary bytes taken as a module file, loaded, then played through the
// same render path as the audio device for a bounded number of frames.
#pragma once

#include <cstddef>
#include <cstdint>

// Runs one input. Returns 0. A broken promise (a rejected module without a
// one-line reason, an output sample beyond full scale, a non-finite mix)
// prints one line on stderr and aborts, so that libFuzzer keeps the input and
// the replay test fails; memory errors are left to the sanitizers.
int zk_fuzz_module(const uint8_t* data, size_t size);

// Frames rendered per loaded input: two seconds at 44,100 Hz.
constexpr int ZK_FUZZ_FRAMES = 2 * 44100;
