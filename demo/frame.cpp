// The frame's body and the song-driven start and end, free of SDL so that
// the SDL frame loop and the video-export tool run exactly the same code.
#include <GL/gl.h>

#include "demo/demo.h"
#include "player/player.h"

void demo_state_init(DemoState& state) {
    state.time_origin = 0;
    state.demo_time = 0.0f;
    state.quit = 0;
    state.scene_mark_a = 0.0f;
    state.scene_mark_b = 0.0f;
    state.kick_level = 1.0f;
    state.kick_time = 0.0f;
    state.end_scene_on = 0;
}

float demo_seconds_since(uint32_t origin_ms, uint32_t clock_ms) {
    // Unsigned difference first, so a clock that wraps past 2^32 ms still counts on.
    const uint64_t elapsed_ms = uint32_t(clock_ms - origin_ms);
    return float(double(elapsed_ms) * 0.001);
}

void demo_frame(DemoState& state, uint32_t clock_ms) {
    demo_frame_at(state, demo_seconds_since(state.time_origin, clock_ms));
}

void demo_frame_at(DemoState& state, float demo_time) {
    state.demo_time = demo_time;

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1.33, 1.33, -1.0, 1.0, 3.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -3.0f);  // the frame's base matrix; scenes build on it

    demo_timeline(state);
    demo_end_of_frame(state);
}

int demo_song_ended(uint32_t position) { return position >= 1550 ? 1 : 0; }

void demo_end_of_frame(DemoState& state) {
    if (demo_song_ended(pt_position())) state.quit = 1;
    demo_pulse(18, state.demo_time);
    demo_pulse(19, state.demo_time);
}

int demo_wait_first_row(uint32_t (*position)(), uint32_t (*clock_ms)(), uint32_t limit_ms) {
    const uint32_t began = clock_ms();
    // A loaded song reads as order -1, row 63 (a huge unsigned number) until
    // the audio thread runs its first tick. Polled without sleeping so the
    // time origin lands as close to the first row as the clock allows.
    while (position() > 1500) {
        if (uint32_t(clock_ms() - began) >= limit_ms) return 0;
    }
    return 1;
}
