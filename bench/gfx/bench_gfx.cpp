// Frame time of each drawing function at 640 x 480 under the software
// renderer (Mesa llvmpipe through EGL), each frame cleared and finished, and
// the load time of the thirteen textures from the repository's data/.
//
//   build/bench_gfx [--benchmark_filter=...]
#include "gfx/gfx.h"
#include "gfx/offscreen_gl.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>

namespace {

bool have_data = false;

void begin_frame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1.33, 1.33, -1, 1, 3, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -3);
}

// The phase moves by about a 60th of a second a frame, as on screen.
template <typename Draw>
void frames(benchmark::State& state, Draw draw) {
    float t = 1;
    for (auto _ : state) {
        begin_frame();
        draw(t);
        glFinish();
        t += 0.016f;
    }
}

void clear_only(benchmark::State& s) { frames(s, [](float) {}); }
void text_line(benchmark::State& s) {
    frames(s, [](float t) { gfx_draw_text("2 days hard work   let us speak swahili", t); });
}
void wavy_picture(benchmark::State& s) { frames(s, [](float t) { gfx_wavy_picture(t, 9, 0); }); }
void iris_mask(benchmark::State& s) { frames(s, [](float) { gfx_iris_mask(0.5f); }); }
void triangle_swarm(benchmark::State& s) { frames(s, [](float t) { gfx_triangle_swarm(t, 1); }); }
void textured_ball(benchmark::State& s) { frames(s, [](float t) { gfx_textured_ball(t); }); }
void nested_rings(benchmark::State& s) { frames(s, [](float t) { gfx_nested_rings(t); }); }
void spiral_band(benchmark::State& s) { frames(s, [](float t) { gfx_spiral_band(t); }); }
void pinwheel(benchmark::State& s) { frames(s, [](float t) { gfx_pinwheel(t, 10, 0.2f); }); }
void star_rings(benchmark::State& s) { frames(s, [](float t) { gfx_star_rings(t, 3, 1); }); }
void star_grid_7x7(benchmark::State& s) { frames(s, [](float t) { gfx_star_grid(t, 7, 1); }); }

void load_thirteen_textures(benchmark::State& state) {
    if (!have_data) {
        state.SkipWithError("data/ pictures or font missing or unusable; load time not measured");
        return;
    }
    for (auto _ : state) {
        if (!gfx_load_pictures() || !gfx_load_font()) {
            state.SkipWithError(gfx_error());
            break;
        }
        glFinish();
        state.PauseTiming();
        glDeleteTextures(12, gfx_picture_textures);
        glDeleteTextures(1, &gfx_font_texture);
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(clear_only)->Unit(benchmark::kMillisecond);
BENCHMARK(text_line)->Unit(benchmark::kMillisecond);
BENCHMARK(wavy_picture)->Unit(benchmark::kMillisecond);
BENCHMARK(iris_mask)->Unit(benchmark::kMillisecond);
BENCHMARK(triangle_swarm)->Unit(benchmark::kMillisecond);
BENCHMARK(textured_ball)->Unit(benchmark::kMillisecond);
BENCHMARK(nested_rings)->Unit(benchmark::kMillisecond);
BENCHMARK(spiral_band)->Unit(benchmark::kMillisecond);
BENCHMARK(pinwheel)->Unit(benchmark::kMillisecond);
BENCHMARK(star_rings)->Unit(benchmark::kMillisecond);
BENCHMARK(star_grid_7x7)->Unit(benchmark::kMillisecond);
BENCHMARK(load_thirteen_textures)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!gfx_offscreen_open(640, 480)) {
        std::fprintf(stderr, "bench_gfx: %s\n", gfx_offscreen_error());
        return 1;
    }
    // The production reads data/ relative to the working directory.
    if (chdir(ZK_SOURCE_DIR) != 0) {
        std::fprintf(stderr, "bench_gfx: cannot enter %s\n", ZK_SOURCE_DIR);
        return 1;
    }
    have_data = gfx_load_pictures() && gfx_load_font();
    if (!have_data)
        std::fprintf(stderr, "bench_gfx: %s; drawing without pictures\n", gfx_error());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gfx_offscreen_close();
    return 0;
}
