// The wavy picture: the sheet's vertices follow the wave formulas, it covers
// the whole view with the picture upright, it is depth-tested but writes no
// depth, and a bad picture index is ignored.
#include "gfx/gfx.h"
#include "tests/gfx/harness.h"

#include <GL/gl.h>

#include <cmath>

class WavyPicture : public GlTest {};

TEST_F(WavyPicture, VerticesFollowTheWaves) {
    constexpr double extent = 4;
    struct Case {
        float a, b;
    };
    for (const Case c : {Case{0, 0}, Case{2.5f, 0}, Case{-1.75f, 0.3f}}) {
        SCOPED_TRACE(testing::Message() << "a " << c.a << " b " << c.b);
        begin_ortho_probe(extent);
        const std::vector<FbPrimitive> sheet = capture([&] { gfx_wavy_picture(c.a, 3, c.b); });
        ASSERT_EQ(sheet.size(), 512u);  // 256 quads as triangle pairs
        const double A = float(3 * c.a), B = float(5 * c.b);
        for (const FbPrimitive& triangle : sheet)
            for (const FbVertex& v : triangle.vertices) {
                // The texture coordinate names the grid vertex: (c / 16, r / 16).
                const int column = int(std::lround(v.s * 16)), row = int(std::lround(v.t * 16));
                ASSERT_FLOAT_EQ(v.s * 16, float(column));
                ASSERT_FLOAT_EQ(v.t * 16, float(row));
                const double x = 0.28125 * column + 0.1 * std::sin(column + A) +
                                 0.1 * B * std::sin(row + column + B) - 2.25;
                const double y = -0.21875 * row + 0.1 * std::cos(row + A) +
                                 0.1 * B * std::cos(row + column + B) + 1.75;
                ASSERT_NEAR(probe_x(v.x, extent), x, 1e-4) << row << "," << column;
                ASSERT_NEAR(probe_y(v.y, extent), y, 1e-4) << row << "," << column;
            }
    }
    // The corners named by the formulas at a = b = 0, before the centring.
    begin_ortho_probe(extent);
    const std::vector<FbPrimitive> sheet = capture([] { gfx_wavy_picture(0, 0, 0); });
    bool top_left = false, bottom_right = false;
    for (const FbPrimitive& triangle : sheet)
        for (const FbVertex& v : triangle.vertices) {
            const double x = probe_x(v.x, extent) + 2.25, y = probe_y(v.y, extent) - 1.75;
            if (v.s == 0 && v.t == 0) {
                top_left = true;
                EXPECT_NEAR(x, 0, 1e-4);
                EXPECT_NEAR(y, 0.1, 1e-4);
            }
            if (v.s == 1 && v.t == 1) {
                bottom_right = true;
                EXPECT_NEAR(x, 4.5 + 0.1 * std::sin(16.0), 1e-4);
                EXPECT_NEAR(y, -3.5 + 0.1 * std::cos(16.0), 1e-4);
            }
        }
    EXPECT_TRUE(top_left && bottom_right);
}

TEST_F(WavyPicture, CoversTheViewWithThePictureUpright) {
    FixtureData data;
    ASSERT_EQ(gfx_load_pictures(), 1) << gfx_error();
    for (int picture : {9, 4}) {
        for (float a : {0.0f, 0.52f, 7.3f}) {
            SCOPED_TRACE(testing::Message() << "picture " << picture << " a " << a);
            begin_frame(1, 0, 1);  // magenta shows wherever the sheet fails to reach
            gfx_wavy_picture(a, picture, 0);
            const Image frame = read_frame();
            size_t uncovered = 0;
            for (int y = 0; y < frame_height; ++y)
                for (int x = 0; x < frame_width; ++x) {
                    const uint8_t* p = frame.at(x, y);
                    uncovered += p[0] > 200 && p[1] < 60 && p[2] > 200;
                }
            EXPECT_EQ(uncovered, 0u);
            // Quadrant colours in the view's corners: red top-left, green
            // top-right, blue bottom-left, yellow bottom-right.
            const int corners[4][2] = {{60, 40}, {580, 40}, {60, 440}, {580, 440}};
            for (int q = 0; q < 4; ++q) {
                const uint8_t* p = frame.at(corners[q][0], corners[q][1]);
                int worst = 0;
                for (int ch = 0; ch < 3; ++ch)
                    worst = std::max(worst, std::abs(p[ch] - quadrant_colours[q][ch]));
                EXPECT_LT(worst, 40) << "corner " << q;
            }
            // The centre square's gray names the picture.
            EXPECT_NEAR(frame.at(320, 240)[1], 10 + 20 * picture, 8);
        }
    }
    begin_frame();
    gfx_wavy_picture(1.3f, 9, 0);
    expect_matches_reference("wavy_picture", read_frame());
}

TEST_F(WavyPicture, IsDepthTestedButWritesNoDepth) {
    FixtureData data;
    ASSERT_EQ(gfx_load_pictures(), 1) << gfx_error();
    begin_frame();
    // A white square in front of the sheet, depth written.
    glEnable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glVertex3f(-0.2f, -0.2f, -0.5f);
    glVertex3f(0.2f, -0.2f, -0.5f);
    glVertex3f(0.2f, 0.2f, -0.5f);
    glVertex3f(-0.2f, 0.2f, -0.5f);
    glEnd();
    std::vector<float> depth_before(frame_width * frame_height);
    glReadPixels(0, 0, frame_width, frame_height, GL_DEPTH_COMPONENT, GL_FLOAT,
                 depth_before.data());
    gfx_wavy_picture(0.4f, 2, 0);
    const Image frame = read_frame();
    const uint8_t* centre = frame.at(320, 240);
    EXPECT_EQ(centre[0] + centre[1] + centre[2], 3 * 255) << "the sheet hid a nearer square";
    std::vector<float> depth_after(frame_width * frame_height);
    glReadPixels(0, 0, frame_width, frame_height, GL_DEPTH_COMPONENT, GL_FLOAT,
                 depth_after.data());
    EXPECT_EQ(depth_before, depth_after);
}

TEST_F(WavyPicture, LeavesDepthWritesOnAndTheRestOff) {
    begin_frame();
    dirty_state();
    const GlState before = snapshot();
    gfx_wavy_picture(0.9f, 7, 0);
    const GlState after = snapshot();
    EXPECT_FALSE(after.cull_face);
    EXPECT_FALSE(after.depth_test);
    EXPECT_FALSE(after.texture_2d);
    EXPECT_TRUE(after.depth_mask);
    EXPECT_EQ(uint32_t(after.bound_texture), gfx_picture_textures[7]);
    expect_colour(after, 1, 1, 1);
    EXPECT_EQ(after.matrix_mode, GL_MODELVIEW);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after.modelview[i], before.modelview[i]);
}

TEST_F(WavyPicture, IndexOutsideTheTwelvePicturesIsIgnored) {
    begin_frame();
    for (int picture : {-1, 12, 1000, -2147483647 - 1}) {
        SCOPED_TRACE(picture);
        dirty_state();
        const GlState before = snapshot();
        EXPECT_TRUE(capture([&] { gfx_wavy_picture(1, picture, 0); }).empty());
        expect_same_state(before, snapshot());
    }
}
