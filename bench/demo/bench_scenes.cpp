// Frames per second of each scene in the production's own window: SDL 1.2's
// full-screen 640x480 OpenGL window, demo_frame and the buffer swap, as the
// frame loop runs them. Needs a display; on this machine run it as
//   xvfb-run -a -s "-screen 0 640x480x24" build/bench_demo
// (Mesa's llvmpipe). The song is held at a position inside each scene while
// the demo time runs on, so the pictures move as they do in the production.
// Reads data/ from the source tree.
#include <benchmark/benchmark.h>

#include <SDL/SDL.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "demo/demo.h"
#include "gfx/gfx.h"
#include "player/audio.h"
#include "player/player.h"

namespace {

std::vector<uint8_t> module_file;
std::vector<uint8_t> module_buffer;
bool window_open = false;
const char* setup_error = nullptr;

void open_window_once() {
    if (window_open || setup_error) return;
    if (chdir(ZK_SOURCE_DIR) != 0) { setup_error = "cannot enter the source tree"; return; }
    FILE* f = std::fopen("data/afro.mod", "rb");
    if (!f) { setup_error = "no data/afro.mod"; return; }
    module_file.resize(4000000);
    module_file.resize(std::fread(module_file.data(), 1, module_file.size(), f));
    std::fclose(f);
    SDL_Init(SDL_INIT_VIDEO);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    char driver[32] = "";
    if (!SDL_SetVideoMode(640, 480, 32, SDL_OPENGL | SDL_DOUBLEBUF | SDL_FULLSCREEN) ||
        !SDL_VideoDriverName(driver, sizeof driver) || driver[0] == 'o' || driver[0] == 'd') {
        setup_error = "no display (run under xvfb-run)";
        return;
    }
    if (!snd_open_offline(44100, 4096) || !gfx_load_pictures() || !gfx_load_font()) {
        setup_error = "start-up failed";
        return;
    }
    window_open = true;
}

// Loads the song afresh and ticks it, silently, to `position`.
bool hold_song_at(uint32_t position) {
    module_buffer = module_file;
    if (!pt_load(module_buffer.data(), module_buffer.size())) return false;
    for (int ticks = 0; ticks < 200000; ++ticks) {
        pt_tick();
        pt_update_trigger_ages();
        const uint32_t p = pt_position();
        if (p >= position && p < 100000) return true;
    }
    return false;
}

void BM_Scene(benchmark::State& state) {
    open_window_once();
    if (setup_error) { state.SkipWithError(setup_error); return; }
    const uint32_t position = uint32_t(state.range(0));
    if (!hold_song_at(position)) { state.SkipWithError("the song never reaches the position"); return; }

    DemoState demo;
    demo_state_init(demo);
    demo_pulse_reset();
    // Mid-scene: the scene began five seconds ago.
    demo.time_origin = SDL_GetTicks() - 60000;
    demo.scene_mark_a = demo.scene_mark_b = 55.0f;
    for (auto _ : state) {
        demo_frame(demo, SDL_GetTicks());
        SDL_GL_SwapBuffers();
        demo.quit = 0;
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// One position inside each scene (and the changing parts of scenes 5 and 7).
BENCHMARK(BM_Scene)->ArgName("position")
    ->Arg(30)     // 1 the makers' line
    ->Arg(140)    // 2 the title
    ->Arg(240)    // 3 the lesson
    ->Arg(420)    // 4 the animals
    ->Arg(640)    // 5 the phrases, nested rings
    ->Arg(820)    // 5 the phrases, star rings
    ->Arg(1000)   // 6 the greetings
    ->Arg(1240)   // 7 the finale, no grid
    ->Arg(1440)   // 7 the finale, 7 x 7 grid
    ->Arg(1520)   // 7 the closing part
    ->UseRealTime()->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
