// The playback clock (player/clock.cpp) driving the real player and mixer:
// where the ticks fall in the output, the position each chunk gets, and an
// end-to-end render of a small module checked against what its cells imply.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "mixer/fx.h"
#include "mixer/mixer.h"
#include "player/audio.h"
#include "player/player.h"
#include "tests/mixer/mod_builder.h"

namespace {

std::vector<uint8_t> module_image;

// Loads `b` into a buffer with room to spare, as the production's is.
void load(const ModBuilder& b, int rate = 44100, int frames = 4096)
{
    ASSERT_EQ(snd_open_offline(rate, frames), 1);
    module_image = b.bytes();
    module_image.resize(module_image.size() + 64, 0);
    ASSERT_EQ(pt_load(module_image.data(), module_image.size() - 64), 1) << pt_error();
}

ModBuilder square_song()
{
    ModBuilder b;
    std::vector<int8_t> square(32);
    for (int i = 0; i < 32; ++i) square[i] = int8_t(i < 16 ? 100 : -100);
    b.samples[13].data = square;
    b.samples[13].loop_start = 0;
    b.samples[13].loop_length = 32;
    b.samples[3].data = square;
    b.samples[3].loop_length = 32;
    return b;
}

std::vector<int> tick_frames;
void record_tick(void*, int frame) { tick_frames.push_back(frame); }

}  // namespace

TEST(Clock, TicksAtTempo125InA4096FrameBuffer)
{
    load(square_song());
    std::vector<int16_t> out(2 * 4096);
    tick_frames.clear();
    snd_render_observed(out.data(), 4096, record_tick, nullptr);
    EXPECT_EQ(tick_frames, (std::vector<int>{0, 882, 1764, 2646, 3528}));
    EXPECT_EQ(snd_frames_left_in_tick, 314);
    EXPECT_EQ(pt_position(), 0u);

    // The next buffer finishes the carried-over tick before its first tick.
    tick_frames.clear();
    snd_render_observed(out.data(), 4096, record_tick, nullptr);
    EXPECT_EQ(tick_frames, (std::vector<int>{314, 1196, 2078, 2960, 3842}));
    EXPECT_EQ(pt_position(), 1u) << "six ticks make a row";

    // No frames: no tick.
    tick_frames.clear();
    snd_render_observed(out.data(), 0, record_tick, nullptr);
    EXPECT_TRUE(tick_frames.empty());
}

TEST(Clock, TickLengthFollowsTheTempoSetInTheRow)
{
    struct Case { int param; int frames; };
    const Case cases[] = {{255, 432}, {32, 3445}, {125, 882}, {150, 735}};
    for (const Case& c : cases) {
        ModBuilder b = square_song();
        b.cell(0, 0, 1) = BuiltCell{0, 0, 0xF, c.param};
        load(b);
        std::vector<int16_t> out(2 * 10000);
        tick_frames.clear();
        snd_render_observed(out.data(), 10000, record_tick, nullptr);
        ASSERT_GE(tick_frames.size(), 3u);
        // The tempo read on the first tick already sets that tick's length.
        EXPECT_EQ(tick_frames[1] - tick_frames[0], c.frames) << c.param;
        EXPECT_EQ(tick_frames[2] - tick_frames[1], c.frames) << c.param;
    }
}

TEST(Clock, MatchesTheCallbackAlgorithmChunkForChunk)
{
    // The same song through snd_render in odd buffer sizes, and through the
    // callback's steps written out here; the outputs must agree exactly.
    ModBuilder b = square_song();
    for (int row = 0; row < 64; row += 3) {
        b.cell(0, row, 0) = BuiltCell{3, 214 + 4 * row, 0, 0};
        b.cell(0, row, 1) = BuiltCell{13, 428 - 2 * row, 0, 0};
    }
    b.cell(0, 10, 2) = BuiltCell{0, 0, 0xF, 200};
    b.cell(0, 30, 2) = BuiltCell{0, 0, 0xF, 3};
    const int sizes[] = {4096, 1, 7, 881, 882, 3000, 4096, 17, 4096, 2500, 4000};

    load(b);
    std::vector<int16_t> clocked;
    for (int n : sizes) {
        std::vector<int16_t> out(2 * n);
        snd_render(out.data(), n);
        clocked.insert(clocked.end(), out.begin(), out.end());
    }

    load(b);
    std::vector<int16_t> literal;
    int frames_left = 0;
    for (int frames : sizes) {
        std::vector<int16_t> out(2 * frames);
        int written = 0;
        while (written < frames) {
            int32_t position = int32_t(pt_position());
            if (frames_left <= 0) {
                pt_tick();
                position = int32_t(pt_position());
                pt_update_trigger_ages();
                pt_update_tick_length();
                frames_left = pt_samples_per_tick;
            }
            const int n = frames_left < frames - written ? frames_left : frames - written;
            mix_render(out.data() + 2 * written, n, 1, position);
            frames_left -= n;
            written += n;
        }
        literal.insert(literal.end(), out.begin(), out.end());
    }
    ASSERT_EQ(clocked.size(), literal.size());
    EXPECT_TRUE(clocked == literal);
}

TEST(Clock, ChunksTakeThePositionAfterTheirTick)
{
    // The vowel filter takes its next set from the position of the chunk
    // just rendered: after the tick that starts row 2 that is set 1.
    load(square_song());
    std::vector<int16_t> out(2 * (6 * 882 * 2 + 1));
    snd_render(out.data(), 6 * 882 * 2 + 1);
    EXPECT_EQ(pt_position(), 2u);
    auto* formant = reinterpret_cast<FxFormant*>(mix_buses[3].units[1]);
    EXPECT_EQ(formant->set, 1);
}

TEST(Clock, WithoutASongItRendersSilenceAndRunsNoTick)
{
    ASSERT_EQ(snd_open_offline(44100, 4096), 1);
    std::vector<uint8_t> junk(2000, 0x55);
    ASSERT_EQ(pt_load(junk.data(), junk.size()), 0);
    std::vector<int16_t> out(2 * 4096, 7);
    tick_frames.clear();
    snd_render_observed(out.data(), 4096, record_tick, nullptr);
    EXPECT_TRUE(tick_frames.empty());
    for (int16_t v : out) ASSERT_EQ(v, 0);
}

TEST(Clock, OfflineOpenFailsWhenTheMixerCannotBeBuilt)
{
    void* (*saved)(size_t) = mix_allocate;
    mix_allocate = [](size_t) -> void* { return nullptr; };
    EXPECT_EQ(snd_open_offline(44100, 4096), 0);
    mix_allocate = saved;
    EXPECT_EQ(snd_open_offline(44100, 4096), 1);
    EXPECT_EQ(mix_master_volume, 64);
}

TEST(Clock, LowerRatesKeepPitchAndTickEvery882Frames)
{
    // 22050 Hz: signed 16-bit output, steps for that rate, and the tick
    // length rule of 44,100 frames per second (so the song runs at half speed).
    ModBuilder b = square_song();
    b.cell(0, 0, 0) = BuiltCell{13, 254, 0, 0};
    load(b, 22050, 2048);
    std::vector<int16_t> out(2 * 4096);
    tick_frames.clear();
    snd_render_observed(out.data(), 4096, record_tick, nullptr);
    EXPECT_EQ(tick_frames, (std::vector<int>{0, 882, 1764, 2646, 3528}));
    int crossings = 0;
    for (int i = 1; i < 4096; ++i)
        crossings += (out[2 * i] > 0) != (out[2 * i - 2] > 0);
    // 3546836 / (254 * 32) = 436.4 Hz: 81 half-cycles in 4096 frames at 22050.
    EXPECT_NEAR(crossings, 2 * 4096 * 436.4 / 22050, 2);
}

TEST(EndToEnd, SmallModuleSoundsAsItsCellsSay)
{
    // Channel 0 (left) plays a square on sample 13 (dry bus) for rows 0..15,
    // then C00 silences it. Channel 1 (right) plays it from row 32.
    // Channel 2 plays sample 3 (echoes, vowel) at row 48, cut at row 52.
    ModBuilder b = square_song();
    b.cell(0, 0, 0) = BuiltCell{13, 254, 0, 0};
    b.cell(0, 16, 0) = BuiltCell{0, 0, 0xC, 0};
    b.cell(0, 32, 1) = BuiltCell{13, 254, 0, 0};
    b.cell(0, 40, 1) = BuiltCell{0, 0, 0xC, 0};
    b.cell(0, 48, 2) = BuiltCell{3, 254, 0, 0};
    b.cell(0, 52, 2) = BuiltCell{0, 0, 0xC, 0};
    load(b);
    const int row = 6 * 882;
    std::vector<int16_t> song(2 * 64 * row);
    for (int done = 0; done < 64 * row; done += 4096) {
        const int n = 64 * row - done < 4096 ? 64 * row - done : 4096;
        snd_render(song.data() + 2 * done, n);
    }
    auto peak = [&](int channel, int from_row, int to_row) {
        int p = 0;
        for (int i = from_row * row; i < to_row * row; ++i)
            p = std::max(p, std::abs(int(song[2 * i + channel])));
        return p;
    };
    // 100/128 x left gain 129/128 x bus weight 0.6 x 32767.
    EXPECT_NEAR(peak(0, 0, 16), int(100.0f / 128 * 129.0f / 128 * 0.6f * 32767), 3);
    EXPECT_EQ(peak(1, 0, 16), 0);
    int crossings = 0;
    for (int i = 1; i < 16 * row; ++i)
        crossings += (song[2 * i] > 0) != (song[2 * i - 2] > 0);
    EXPECT_NEAR(crossings, 2 * 16 * row * (3546836.0 / (44100.0 * 254)) / 32, 3);

    EXPECT_EQ(peak(0, 17, 32), 0) << "C00 silences the dry bus at once";
    EXPECT_NEAR(peak(1, 32, 40), int(100.0f / 128 * 121.0f / 128 * 0.6f * 32767), 3) << "panning 240";
    EXPECT_LT(peak(0, 32, 40), peak(1, 32, 40) / 10) << "channel 1 sits right";
    EXPECT_EQ(peak(0, 41, 48) + peak(1, 41, 48), 0);

    EXPECT_GT(peak(0, 48, 52), 1000);
    // After the cut the echoes still sound, and die away.
    EXPECT_GT(peak(0, 52, 54), 100);
    EXPECT_GT(peak(0, 54, 56), peak(0, 62, 64));
}

TEST(Clock, RowStartsAreSeenAfterTheirTick)
{
    // Row 0 repeats once (E61 with the loop at row 0): the row starts twice,
    // though the position shows the row the loop wrote (-1) once its first
    // tick is done. Row 8 is held for two more rows by EE2: one start only.
    ModBuilder b = square_song();
    b.cell(0, 0, 1) = BuiltCell{0, 0, 0xE, 0x61};
    b.cell(0, 8, 0) = BuiltCell{0, 0, 0xE, 0xE2};
    load(b);
    std::vector<uint32_t> starts;
    auto on_tick = [](void* context, int) {
        auto* seen = static_cast<std::vector<uint32_t>*>(context);
        if (pt_row_started()) seen->push_back(pt_started_row_position());
        if (pt_row_started()) seen->push_back(pt_position());
    };
    std::vector<int16_t> out(2 * 4096);
    for (int i = 0; i < 20; ++i) snd_render_observed(out.data(), 4096, on_tick, &starts);
    ASSERT_GE(starts.size(), 24u);
    // Pairs: the row that started, the position after its tick.
    EXPECT_EQ(std::vector<uint32_t>(starts.begin(), starts.begin() + 24),
              (std::vector<uint32_t>{0, uint32_t(-1), 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5,
                                     6, 6, 7, 7, 8, 8, 9, 9, 10, 10}));
}
