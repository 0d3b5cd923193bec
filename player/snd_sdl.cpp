// The SDL side of the audio output: the audio device, its callback, and the
// timer that clocks the sequencer when no device has been opened.
//
// Audio thread: snd_audio_callback (through snd_render, the same clock the
// offline tools use). Timer thread: snd_timer_callback. Neither allocates,
// locks, prints or touches a file. Everything else runs on the main thread,
// before the device is un-paused or after it has been closed.
#include <SDL/SDL.h>

#include "mixer/mixer.h"
#include "player/audio.h"
#include "player/player.h"
#include "player/sound_driver.h"

// Written on the main thread before the callback or the timer can run.
SndOutputMode snd_output_mode = SND_TIMER_FALLBACK;
const char* snd_driver_name = "";
const char* snd_driver_error = "";

namespace {

uint32_t timer_interval_ms = 1000;
int mixer_ready = 0;  // what mix_init said, for snd_open to report

void sdl_init(int rate, int frames) { mixer_ready = mix_init(rate, frames); }
void sdl_close() { SDL_CloseAudio(); }
void sdl_nothing() {}  // the device starts paused; pt_start un-pauses it

}  // namespace

uint16_t snd_sdl_sample_format(int rate) {
    (void)rate;
    // Signed 16-bit at every rate: the callback always writes two signed
    // 16-bit samples per frame, so asking for 8-bit below 44100 Hz would
    // have the device misread them. SDL converts to what the device wants.
    return AUDIO_S16LSB;
}

int snd_sdl_open_device(int rate, int frames) {
    SDL_AudioSpec request = {};
    request.freq = rate;
    request.format = snd_sdl_sample_format(rate);
    request.channels = 2;
    request.samples = uint16_t(frames);
    request.callback = snd_audio_callback;
    request.userdata = nullptr;
    // No obtained format is asked for: SDL converts to the device's own format if it differs.
    return SDL_OpenAudio(&request, nullptr) >= 0 ? 1 : 0;
}

int snd_sdl_install(int rate, int frames) {
    if (!snd_sdl_open_device(rate, frames)) {
        snd_driver_error = "SDL audio error";
        return 0;
    }
    SoundDriver.init = sdl_init;      // the mixer, for the device's rate and buffer
    SoundDriver.start = sdl_nothing;
    SoundDriver.stop = sdl_nothing;
    SoundDriver.close = sdl_close;    // SDL_CloseAudio
    mix_install();                    // the nine voice operations
    snd_driver_name = "SDL audio";
    return 1;
}

int snd_open(int rate, int frames) {
    snd_output_mode = SND_AUDIO_DEVICE;
    if (!snd_sdl_install(rate, frames)) return 0;
    SoundDriver.init(rate, frames);
    if (!mixer_ready) {
        // Without its buffers the mixer must never render: give the device up.
        SDL_CloseAudio();
        snd_driver_error = "SDL audio error";
        return 0;
    }
    SoundDriver.set_master_volume(64);
    SoundDriver.start();
    return 1;
}

int pt_start(int ticks_per_second) {
    // Without a song there is no tempo to clock by.
    if (!pt_song_loaded() || ticks_per_second < 1) return 0;
    pt_update_tick_length();
    timer_interval_ms = uint32_t(1000 / ticks_per_second);
    if (timer_interval_ms == 0) timer_interval_ms = 1;  // SDL_SetTimer(0) would remove the timer
    if (snd_output_mode == SND_AUDIO_DEVICE) {
        SDL_PauseAudio(0);
    } else {
        SDL_Init(SDL_INIT_TIMER);
        SDL_SetTimer(timer_interval_ms, snd_timer_callback);
    }
    return 1;
}

void pt_stop() {
    if (snd_output_mode == SND_TIMER_FALLBACK) {
        SDL_SetTimer(0, nullptr);
        return;
    }
    if (SoundDriver.stop != nullptr) SoundDriver.stop();
    if (SoundDriver.close != nullptr) SoundDriver.close();
}

void snd_audio_callback(void* userdata, uint8_t* stream, int length) {
    (void)userdata;
    if (snd_output_mode != SND_AUDIO_DEVICE) return;
    const int frames = length / 4;
    if (frames <= 0) return;
    snd_render(reinterpret_cast<int16_t*>(stream), frames);
}

uint32_t snd_timer_callback(uint32_t interval) {
    if (snd_output_mode == SND_TIMER_FALLBACK) {
        pt_tick();
        pt_update_trigger_ages();
    }
    return interval;  // keeps the timer periodic
}
