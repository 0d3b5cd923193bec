// Whole frames of every scene on a headless GL context, with a small song
// held at chosen positions: each frame leaves the matrix stacks balanced and
// no GL error behind (a frame loop runs thousands of them), draws something,
// and the frame at position 1550 ends the production.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "demo/demo.h"
#include "gfx/gfx.h"
#include "gfx/offscreen_gl.h"
#include "player/audio.h"
#include "player/player.h"
#include "tests/mixer/mod_builder.h"

namespace {

std::vector<uint8_t> module_image;

// Sixteen orders with a kick (sample 18) on every beat and a clap (19) on
// the off-beats, so the pulses run in every scene.
ModBuilder sixteen_orders() {
    ModBuilder b;
    b.orders.assign(16, 0);
    b.samples[18].data.assign(256, 60);
    b.samples[19].data.assign(128, -60);
    for (int row = 0; row < 64; row += 4) {
        b.cell(0, row, 0) = BuiltCell{18, 428, 0, 0};
        b.cell(0, row + 2, 1) = BuiltCell{19, 428, 0, 0};
    }
    return b;
}

class Frames : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(gfx_offscreen_open(640, 480), 1) << gfx_offscreen_error();
        ASSERT_EQ(snd_open_offline(44100, 4096), 1);
        ASSERT_EQ(gfx_load_pictures(), 1) << gfx_error();
        ASSERT_EQ(gfx_load_font(), 1) << gfx_error();
    }
    static void TearDownTestSuite() { gfx_offscreen_close(); }

    // Loads the song afresh and ticks it to `position`.
    static void hold_song_at(uint32_t position) {
        module_image = sixteen_orders().bytes();
        ASSERT_EQ(pt_load(module_image.data(), module_image.size()), 1) << pt_error();
        for (int ticks = 0; ticks < 100000; ++ticks) {
            pt_tick();
            pt_update_trigger_ages();
            if (pt_position() >= position && pt_position() < 100000) return;
        }
        FAIL() << "never reached " << position;
    }

    static void read_frame(std::vector<uint8_t>& rgba) {
        rgba.resize(640 * 480 * 4);
        gfx_offscreen_read_rgba(rgba.data());
    }
};

TEST_F(Frames, EveryScenesFrameIsBalancedAndDrawsSomething) {
    const uint32_t positions[] = {30, 60, 140, 240, 300, 563, 640, 763, 820, 1000, 1240, 1340, 1440, 1500, 1549};
    for (uint32_t position : positions) {
        hold_song_at(position);
        DemoState state;
        demo_state_init(state);
        demo_pulse_reset();
        state.time_origin = 1000;
        // A few frames a little apart, so pulses and scene marks are used.
        for (uint32_t ms = 5000; ms <= 5400; ms += 100) {
            demo_frame(state, 1000 + ms);
            GLint modelview = 0, projection = 0;
            glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelview);
            glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection);
            EXPECT_EQ(modelview, 1) << "position " << position;
            EXPECT_EQ(projection, 1) << "position " << position;
            EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "position " << position;
        }
        EXPECT_EQ(state.quit, 0) << "position " << position;
        EXPECT_FLOAT_EQ(state.demo_time, 5.4f);

        std::vector<uint8_t> rgba;
        read_frame(rgba);
        int lit = 0;
        for (size_t i = 0; i < rgba.size(); i += 4) lit += rgba[i] + rgba[i + 1] + rgba[i + 2] > 60;
        EXPECT_GT(lit, 640 * 480 / 20) << "position " << position << " drew (almost) nothing";
    }
}

TEST_F(Frames, MakersLineFliesAwayFromPosition61) {
    for (uint32_t position : {60u, 61u}) {
        hold_song_at(position);
        DemoState state;
        demo_state_init(state);
        state.time_origin = 0;
        demo_frame(state, 5000);
        EXPECT_EQ(state.scene_mark_b, position == 61 ? 5.0f : 0.0f) << position;
        demo_frame(state, 5500);  // 10 units nearer: past the viewer
        std::vector<uint8_t> rgba;
        read_frame(rgba);
        int lit = 0;
        for (size_t i = 0; i < rgba.size(); i += 4) lit += rgba[i] + rgba[i + 1] + rgba[i + 2] > 60;
        if (position == 61)
            EXPECT_EQ(lit, 0) << "flown past the viewer";
        else
            EXPECT_GT(lit, 640 * 480 / 20) << "still in place";
    }
}

TEST_F(Frames, FrameAtPosition1550EndsTheProduction) {
    hold_song_at(1550);
    DemoState state;
    demo_state_init(state);
    demo_frame(state, 2000);
    EXPECT_EQ(state.quit, 1);
}

TEST_F(Frames, ClosingWipeClearsEverythingBeforeTheStarRings) {
    // At 1500 the first strong kick pulse wipes the picture, the band and the
    // phrase: the frame keeps only the star rings and the credits on black.
    hold_song_at(1500);
    DemoState state;
    demo_state_init(state);
    demo_pulse_reset();
    state.time_origin = 0;
    std::vector<uint8_t> rgba;
    for (uint32_t ms = 60000; ms <= 60600 && !state.end_scene_on; ms += 20) demo_frame(state, ms);
    ASSERT_EQ(state.end_scene_on, 1);
    demo_frame(state, 61000);
    read_frame(rgba);
    int black = 0;
    for (size_t i = 0; i < rgba.size(); i += 4) black += rgba[i] + rgba[i + 1] + rgba[i + 2] < 10;
    EXPECT_GT(black, 640 * 480 / 3) << "the background is wiped to black";
}

}  // namespace
