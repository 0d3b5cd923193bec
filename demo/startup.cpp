// The production's start-up and shutdown: audio output, module file,
// textures, playback, and the wait for the song's first row.
//
// Every failure closes SDL first, then writes one line on stderr.
#include <SDL/SDL.h>

#include <cstdint>
#include <cstdio>

#include "demo/demo.h"
#include "gfx/gfx.h"
#include "player/audio.h"
#include "player/player.h"

namespace {

// The player converts the patterns in place and keeps pointers into this
// buffer, and the mixer plays the samples straight from it: it lives as long
// as the process.
uint8_t demo_module_buffer[4000000];

// Long enough for any audio device to deliver its first buffer.
constexpr uint32_t first_row_limit_ms = 5000;

int demo_fail(const char* line) {
    SDL_Quit();
    std::fputs(line, stderr);
    return 0;
}

uint32_t demo_clock_ms() { return SDL_GetTicks(); }

}  // namespace

int demo_startup() {
    if (!snd_open(44100, 4096)) return demo_fail("VYL failure\n");

    FILE* file = std::fopen("data/afro.mod", "rb");
    if (file == nullptr) return demo_fail("Mod not found\n");
    // A longer file is cut; the rest of a shorter one's buffer stays zero.
    const size_t length = std::fread(demo_module_buffer, 1, sizeof demo_module_buffer, file);
    std::fclose(file);

    // A rejected module has no tempo to clock by: nothing is played.
    if (!pt_load(demo_module_buffer, length)) {
        SDL_Quit();
        std::fprintf(stderr, "Mod rejected: %s\n", pt_error());
        return 0;
    }
    if (!gfx_load_pictures() || !gfx_load_font()) {
        SDL_Quit();
        std::fprintf(stderr, "%s\n", gfx_error());
        return 0;
    }
    if (!pt_start(1)) return demo_fail("zorvandu: playback did not start\n");

    if (!demo_wait_first_row(pt_position, demo_clock_ms, first_row_limit_ms)) {
        pt_stop();
        return demo_fail("zorvandu: the audio device never asked for sound; the music did not start\n");
    }
    return 1;
}

void demo_shutdown() { pt_stop(); }
