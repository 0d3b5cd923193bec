// The canonical 44-byte header of a PCM WAV file, little-endian, then the
// samples as they come.
#include "tools/wav_writer.h"

namespace {

void put_u32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

void put_u16(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

int write_header(WavWriter* wav)
{
    uint8_t h[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E',
                     'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 0, 0,
                     0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0,
                     'd', 'a', 't', 'a', 0, 0, 0, 0};
    const uint16_t block = uint16_t(wav->channels * 2);
    put_u32(h + 4, 36 + wav->data_bytes);
    put_u16(h + 22, uint16_t(wav->channels));
    put_u32(h + 24, uint32_t(wav->rate));
    put_u32(h + 28, uint32_t(wav->rate) * block);
    put_u16(h + 32, block);
    put_u32(h + 40, wav->data_bytes);
    return std::fseek(wav->file, 0, SEEK_SET) == 0 && std::fwrite(h, 1, 44, wav->file) == 44;
}

}  // namespace

int wav_open(WavWriter* wav, const char* path, int rate, int channels)
{
    wav->file = std::fopen(path, "wb");
    wav->data_bytes = 0;
    wav->rate = rate;
    wav->channels = channels;
    return wav->file != nullptr && write_header(wav);
}

int wav_write(WavWriter* wav, const int16_t* samples, int frames)
{
    const size_t count = size_t(frames) * size_t(wav->channels);
    if (uint64_t(wav->data_bytes) + count * 2 > 0xFFFFFFFFu - 36)
        return 0;
    // The samples go out little-endian whatever the machine.
    uint8_t bytes[2 * 2 * 4096];
    size_t done = 0;
    while (done < count) {
        size_t n = count - done < sizeof bytes / 2 ? count - done : sizeof bytes / 2;
        for (size_t i = 0; i < n; ++i)
            put_u16(bytes + 2 * i, uint16_t(samples[done + i]));
        if (std::fwrite(bytes, 2, n, wav->file) != n)
            return 0;
        done += n;
    }
    wav->data_bytes += uint32_t(count * 2);
    return 1;
}

int wav_close(WavWriter* wav)
{
    int ok = write_header(wav);
    ok = (std::fclose(wav->file) == 0) && ok;
    wav->file = nullptr;
    return ok;
}
