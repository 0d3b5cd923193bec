// The SDL side of the audio output: opening the device (SDL's dummy driver
// stands in for a sound card), refusing a missing device, the callback's
// hand-over to the playback clock, and the timer that clocks the sequencer
// when no device is open.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "player/audio.h"
#include "player/player.h"
#include "tests/mixer/mod_builder.h"

namespace {

std::vector<uint8_t> module_image;

// Four rows of sample 18 on every row of one order: the trigger age keeps
// being reset while the song plays.
ModBuilder kick_song() {
    ModBuilder b;
    b.samples[18].data.assign(64, 40);
    for (int row = 0; row < 64; ++row) b.cell(0, row, 0) = BuiltCell{18, 428, 0, 0};
    return b;
}

void load_kick_song() {
    module_image = kick_song().bytes();
    ASSERT_EQ(pt_load(module_image.data(), module_image.size()), 1) << pt_error();
}

// Waits (in small sleeps) until the song position reaches `at_least`.
bool wait_for_position(uint32_t at_least, int limit_ms) {
    for (int waited = 0; waited < limit_ms; waited += 5) {
        const uint32_t p = pt_position();
        if (p >= at_least && p < 1000000) return true;
        SDL_Delay(5);
    }
    return false;
}

// Kept first: later tests load a song into this process.
TEST(Playback, RefusesToStartWithoutALoadedSong) {
    ASSERT_EQ(pt_song_loaded(), 0);
    EXPECT_EQ(pt_start(1), 0);
}

TEST(AudioDevice, MissingDeviceLeavesTheTableEmpty) {
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    SDL_Init(SDL_INIT_AUDIO);
    EXPECT_EQ(snd_open(44100, 4096), 0);
    EXPECT_STREQ(snd_driver_error, "SDL audio error");
    EXPECT_EQ(SoundDriver.init, nullptr);
    EXPECT_EQ(SoundDriver.set_volume, nullptr);
    pt_stop();  // nothing to close; must not call the empty table
    SDL_Quit();
}

TEST(AudioDevice, SignedSixteenBitIsAskedForAtEveryRate) {
    // The callback writes signed 16-bit frames whatever the rate, so the
    // device must be asked for them; SDL converts for the hardware.
    for (int rate : {8000, 22050, 44100, 48000}) EXPECT_EQ(snd_sdl_sample_format(rate), AUDIO_S16LSB) << rate;
}

TEST(AudioDevice, OpensPausedAndClocksTheSongOnceStarted) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_AUDIO);
    ASSERT_EQ(snd_open(44100, 4096), 1);
    EXPECT_EQ(snd_output_mode, SND_AUDIO_DEVICE);
    EXPECT_STREQ(snd_driver_name, "SDL audio");
    ASSERT_NE(SoundDriver.set_volume, nullptr) << "the mixer's voice operations are in";
    load_kick_song();

    SDL_Delay(100);
    EXPECT_EQ(pt_position(), uint32_t(-37)) << "paused: no tick before pt_start";

    ASSERT_EQ(pt_start(1), 1);
    EXPECT_TRUE(wait_for_position(1, 3000)) << "the callback ticks the sequencer";
    EXPECT_LT(pt_trigger_age[18].load(), 6);

    pt_stop();
    const uint32_t stopped_at = pt_position();
    SDL_Delay(200);
    EXPECT_EQ(pt_position(), stopped_at) << "no callback after the device is closed";
    SDL_Quit();
}

TEST(AudioDevice, CallbackRendersWholeFramesOnly) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_AUDIO);
    ASSERT_EQ(snd_open(44100, 4096), 1);
    load_kick_song();
    snd_clock_reset();

    std::vector<uint8_t> stream(4 * 100, 0x55);
    for (int length : {0, 2, 3}) {
        snd_audio_callback(nullptr, stream.data(), length);
        EXPECT_EQ(pt_position(), uint32_t(-37)) << "no tick for " << length << " bytes";
    }
    EXPECT_EQ(stream[0], 0x55);

    // The device is still paused, so this is the only caller of the clock.
    snd_audio_callback(nullptr, stream.data(), int(stream.size()));
    EXPECT_EQ(pt_position(), 0u) << "the first frame is preceded by the first tick";
    EXPECT_EQ(snd_frames_left_in_tick, 882 - 100);
    pt_stop();
    SDL_Quit();
}

// The state of a program that never opened a device (earlier tests of this
// process may have).
void fresh_timer_mode() {
    snd_output_mode = SND_TIMER_FALLBACK;
    ASSERT_EQ(snd_open_offline(44100, 4096), 1);  // voice operations, but no device
}

TEST(TimerFallback, TicksTheSongWithoutADeviceAndStopsWhereItWas) {
    fresh_timer_mode();  // voice operations, but no device
    ASSERT_EQ(snd_output_mode, SND_TIMER_FALLBACK);
    load_kick_song();

    std::vector<uint8_t> stream(4 * 64, 0x55);
    snd_audio_callback(nullptr, stream.data(), int(stream.size()));
    EXPECT_EQ(stream[0], 0x55) << "the callback does nothing in timer mode";
    EXPECT_EQ(pt_position(), uint32_t(-37));

    ASSERT_EQ(pt_start(100), 1);  // a tick every 10 ms, whatever the tempo
    EXPECT_TRUE(wait_for_position(2, 5000));
    EXPECT_LT(pt_trigger_age[18].load(), 6) << "the trigger ages advance with the ticks";

    pt_stop();
    SDL_Delay(50);  // a tick already under way may still land
    const uint32_t stopped_at = pt_position();
    SDL_Delay(200);
    EXPECT_EQ(pt_position(), stopped_at) << "no tick after pt_stop";
    SDL_Quit();
}

TEST(TimerFallback, TimerCallbackKeepsItsIntervalAndIgnoresDeviceMode) {
    fresh_timer_mode();
    load_kick_song();
    EXPECT_EQ(snd_timer_callback(1000), 1000u);
    EXPECT_EQ(pt_position(), 0u) << "one tick in timer mode";
    snd_output_mode = SND_AUDIO_DEVICE;
    EXPECT_EQ(snd_timer_callback(10), 10u);
    EXPECT_EQ(pt_position(), 0u) << "nothing in device mode";
    snd_output_mode = SND_TIMER_FALLBACK;
}

}  // namespace
