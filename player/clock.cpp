// The playback clock: cuts an output buffer at tick boundaries, runs one
// sequencer tick at each boundary and lets the mixer render the frames
// between them. The SDL audio callback and the offline tools call it alike.
//
// Audio thread: snd_render and snd_render_observed. They allocate nothing,
// lock nothing, print nothing and touch no file.
#include "mixer/mixer.h"
#include "player/audio.h"
#include "player/player.h"
#include "player/sound_driver.h"

int32_t snd_frames_left_in_tick = 0;

void snd_clock_reset()
{
    snd_frames_left_in_tick = 0;
}

void snd_render_observed(int16_t* out, int frames, SndTickObserver on_tick, void* context)
{
    int written = 0;
    while (written < frames) {
        int32_t position = int32_t(pt_position());
        if (snd_frames_left_in_tick <= 0) {
            if (!pt_song_loaded()) {
                // Nothing to clock: no tick, and no loop waiting for a tick length.
                mix_render(out + 2 * written, frames - written, 1, position);
                return;
            }
            pt_tick();
            position = int32_t(pt_position());
            pt_update_trigger_ages();
            pt_update_tick_length();
            snd_frames_left_in_tick = pt_samples_per_tick;
            // A tick length that is not positive cannot come from a tempo of
            // 32..255; should it ever, the rest of the buffer is one tick.
            if (snd_frames_left_in_tick <= 0)
                snd_frames_left_in_tick = frames - written;
            if (on_tick != nullptr)
                on_tick(context, written);
        }
        const int n = snd_frames_left_in_tick < frames - written ? snd_frames_left_in_tick
                                                                 : frames - written;
        mix_render(out + 2 * written, n, 1, position);
        snd_frames_left_in_tick -= n;
        written += n;
    }
}

void snd_render(int16_t* out, int frames)
{
    snd_render_observed(out, frames, nullptr, nullptr);
}

namespace {

int offline_result = 0;

void offline_init(int rate, int frames)
{
    offline_result = mix_init(rate, frames);
}

void no_device() {}

}  // namespace

int snd_open_offline(int rate, int frames)
{
    mix_install();
    SoundDriver.init = offline_init;
    SoundDriver.start = no_device;
    SoundDriver.stop = no_device;
    SoundDriver.close = no_device;
    SoundDriver.init(rate, frames);
    SoundDriver.set_master_volume(64);
    snd_clock_reset();
    return offline_result;
}
