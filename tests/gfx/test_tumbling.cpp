// The tumbling objects: the swarm's triangles and colours, the ball's bands
// and rings, the outlines winning over the faces, and the state both leave.
#include "gfx/gfx.h"
#include "tests/gfx/harness.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr double extent = 3;

double px(const FbVertex& v) { return probe_x(v.x, extent); }
double py(const FbVertex& v) { return probe_y(v.y, extent); }

void expect_tumbler_state(const GlState& before, const GlState& after) {
    EXPECT_FALSE(after.cull_face);
    EXPECT_FALSE(after.depth_test);
    EXPECT_FALSE(after.texture_2d);
    EXPECT_FALSE(after.polygon_offset_fill);
    EXPECT_EQ(after.line_width, 1);
    expect_colour(after, 1, 1, 1);
    EXPECT_EQ(after.matrix_mode, GL_MODELVIEW);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after.modelview[i], before.modelview[i]);
}

}  // namespace

class Tumbling : public GlTest {};

TEST_F(Tumbling, SwarmTrianglesFollowTheirCurvesAndColours) {
    // At t = 0 the figure is not turned, so the probe sees x and y directly.
    const float k = 0.8f;
    begin_ortho_probe(extent);
    const std::vector<FbPrimitive> swarm = capture([&] { gfx_triangle_swarm(0, k); });
    ASSERT_EQ(count_kind(swarm, FbPrimitive::polygon), 128u);
    ASSERT_EQ(count_kind(swarm, FbPrimitive::line), 128u * 3);
    size_t next = 0;
    for (int j = 0; j < 128; ++j) {
        SCOPED_TRACE(j);
        const FbPrimitive& fill = swarm[next];
        ASSERT_EQ(fill.kind, FbPrimitive::polygon);
        const double g = j / 128.0, rho = float(g * 1.4), s = (j + 1) * 100.0;
        const double p1[2] = {rho * std::sin(5 * s), rho * std::cos(7 * s)};
        const double p2[2] = {rho * std::sin(5 * s + 0.3), rho * std::cos(7 * s + 0.3)};
        const double expected[3][2] = {{0.4 * p1[0], 0.4 * p1[1]}, {p1[0], p1[1]}, {p2[0], p2[1]}};
        for (int v = 0; v < 3; ++v) {
            EXPECT_NEAR(px(fill.vertices[v]), expected[v][0], 1e-4);
            EXPECT_NEAR(py(fill.vertices[v]), expected[v][1], 1e-4);
            EXPECT_NEAR(fill.vertices[v].r, k, 1e-6);
            EXPECT_NEAR(fill.vertices[v].g, k * g, 1e-6);
            EXPECT_NEAR(fill.vertices[v].b, 0.2 * k, 1e-6);
        }
        // The outline: P0, P1, P2 and back, half as bright in red and green.
        for (int e = 0; e < 3; ++e) {
            const FbPrimitive& edge = swarm[next + 1 + size_t(e)];
            ASSERT_EQ(edge.kind, FbPrimitive::line);
            EXPECT_NEAR(px(edge.vertices[0]), expected[e][0], 1e-4);
            EXPECT_NEAR(py(edge.vertices[1]), expected[(e + 1) % 3][1], 1e-4);
            EXPECT_NEAR(edge.vertices[0].r, 0.5 * k, 1e-6);
            EXPECT_NEAR(edge.vertices[0].g, 0.5 * k * g, 1e-6);
        }
        next += 4;
    }
    // Triangle 0 has radius 0: a point at the centre.
    for (const FbVertex& v : swarm[0].vertices) {
        EXPECT_NEAR(px(v), 0, 1e-6);
        EXPECT_NEAR(py(v), 0, 1e-6);
    }
}

TEST_F(Tumbling, SwarmOfBrightnessZeroIsBlack) {
    begin_frame(0.5f, 0.5f, 0.5f);
    gfx_triangle_swarm(3.3f, 0);
    const Image frame = read_frame();
    size_t black = 0;
    for (int i = 0; i < frame_width * frame_height; ++i) {
        const uint8_t* p = &frame.rgba[size_t(i) * 4];
        EXPECT_TRUE((p[0] == 0 && p[1] == 0 && p[2] == 0) || (p[0] == 128 && p[1] == 128))
            << "pixel " << i;
        black += p[0] == 0;
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_GT(black, 1000u);
}

TEST_F(Tumbling, BallBandsAreSeparateBreathingShades) {
    // At t = 0 nothing is turned; the upper edges have radius sin 0 = 0 and
    // the lower ones sin 1 x cos(latitude).
    begin_ortho_probe(extent);
    const std::vector<FbPrimitive> ball = capture([] { gfx_textured_ball(0); });
    EXPECT_EQ(count_kind(ball, FbPrimitive::polygon), 8u * 32);
    EXPECT_EQ(count_kind(ball, FbPrimitive::line), 16u * 16);
    double widest[17] = {};
    for (const FbPrimitive& p : ball)
        for (const FbVertex& v : p.vertices) {
            // The texture row names the latitude: t = 0 at the bottom pole.
            const int row = int(std::lround(v.t * 16));
            ASSERT_FLOAT_EQ(v.t * 16, float(row));
            EXPECT_NEAR(py(v), std::sin(row * 0.1963495 - 1.570796), 1e-4);
            if (p.kind == FbPrimitive::line) {
                EXPECT_EQ(v.r + v.g + v.b, 0.0f) << "black rings";
            }
            widest[row] = std::max(widest[row], px(v));
        }
    for (int row = 0; row <= 16; row += 2) {
        SCOPED_TRACE(row);
        const double lower_edge = row < 16 ? std::sin(1.0) * std::cos(row * 0.1963495 - 1.570796) : 0;
        EXPECT_NEAR(widest[row], lower_edge, 1e-4);
    }
}

TEST_F(Tumbling, OutlinesShowOverTheirFaces) {
    FixtureData data;
    ASSERT_EQ(gfx_load_pictures(), 1) << gfx_error();
    begin_frame();
    gfx_triangle_swarm(5.5f, 1);
    expect_matches_reference("triangle_swarm", read_frame());
    begin_frame();
    gfx_textured_ball(0.8f);
    const Image ball = read_frame();
    expect_matches_reference("textured_ball", ball);
    // The black edge rings pass the depth test against their own bands: a
    // frame without the polygon offset would lose most of them.
    size_t black_inside = 0;
    for (int y = 140; y < 340; ++y)
        for (int x = 220; x < 420; ++x) {
            const uint8_t* p = ball.at(x, y);
            black_inside += p[0] < 20 && p[1] < 20 && p[2] < 20;
        }
    EXPECT_GT(black_inside, 1000u);
}

TEST_F(Tumbling, BothLeaveTheirStateOff) {
    FixtureData data;
    ASSERT_EQ(gfx_load_pictures(), 1) << gfx_error();
    begin_frame();
    dirty_state();
    GlState before = snapshot();
    gfx_triangle_swarm(1.5f, 1);
    expect_tumbler_state(before, snapshot());

    dirty_state();
    before = snapshot();
    gfx_textured_ball(1.5f);
    const GlState after = snapshot();
    expect_tumbler_state(before, after);
    EXPECT_EQ(uint32_t(after.bound_texture), gfx_picture_textures[4]);
}
