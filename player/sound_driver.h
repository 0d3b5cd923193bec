// The one interface between the module player and whatever makes its sound.
//
// The loader, the sequencer and the effects never call the mixer directly:
// they call through the global table `SoundDriver`, which the audio output
// fills once at start-up (snd_open, or a test or tool that fills it itself)
// and which is never changed while the audio thread runs.
#pragma once

#include <cstdint>

struct SoundDriverTable {
    // Sets the mixer up for an output rate (Hz) and a buffer length (frames).
    // Main thread, once.                                    filled by: SDL driver / tools
    void (*init)(int rate, int frames);
    // Closes the audio device; the callback no longer runs.  filled by: SDL driver
    void (*close)();
    // Output may begin. Called once, last, by snd_open.      filled by: SDL driver
    void (*start)();
    // Output ends. Called by pt_stop before close.           filled by: SDL driver
    void (*stop)();
    // Registers sample n (1..31): signed 8-bit data that stays valid, its length,
    // loop start and loop end in bytes, looped 0/1. Loader, main thread.
    //                                                        filled by: mixer (mix_install)
    int (*define_sample)(int n, const int8_t* data, uint32_t length,
                         uint32_t loop_start, uint32_t loop_end, int looped);
    // The mixer renders voices 0..count-1 (2..32). Loader, once.   filled by: mixer
    void (*set_voice_count)(int count);
    // The following operations act on voice n (0..31). Sequencer.  filled by: mixer
    void (*select_voice)(int n);
    // The voice takes sample n's data and loop without restarting.  filled by: mixer
    void (*set_sample)(int n);
    // Tracker period (normally 27..3628, vibrato adds up to +-30 but never
    // goes below 1; 0 only for a channel that has no pitch yet).   filled by: mixer
    void (*set_period)(int period);
    // Volume 0..64 (effect C can pass up to 255).                   filled by: mixer
    void (*set_volume)(int volume);
    // Panning 0 (left) .. 255 (right).                              filled by: mixer
    void (*set_panning)(int panning);
    // Restarts the voice at a byte offset into its sample.          filled by: mixer
    void (*set_position)(uint32_t offset);
    // Overall loudness; the player passes 64. Main thread, once.    filled by: mixer
    void (*set_master_volume)(int volume);
};

// Empty (all null) at program start; filled once before playback starts.
extern SoundDriverTable SoundDriver;
