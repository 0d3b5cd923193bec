// A 16-bit PCM WAV file written as it is rendered: the header is written
// first with sizes of 0 and completed when the file is closed.
#pragma once

#include <cstdint>
#include <cstdio>

struct WavWriter {
    std::FILE* file = nullptr;
    uint32_t data_bytes = 0;
    int channels = 2;
    int rate = 44100;
};

// Creates `path`. 1, or 0 (errno set) when it cannot be created.
int wav_open(WavWriter* wav, const char* path, int rate, int channels);
// Appends interleaved frames. 1, or 0 on a write error (or past 4 GiB).
int wav_write(WavWriter* wav, const int16_t* samples, int frames);
// Completes the header and closes. 1, or 0 on a write error.
int wav_close(WavWriter* wav);
