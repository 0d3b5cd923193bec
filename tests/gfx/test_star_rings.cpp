// Star rings and the star grid: the star's radii and tips, the swing, the
// grid's placement and phases, and the state both leave.
#include "gfx/gfx.h"
#include "tests/gfx/harness.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr double extent = 40;

}  // namespace

class StarRings : public GlTest {};

TEST_F(StarRings, OneRingAlternatesTipsAndNotches) {
    begin_ortho_probe(extent);
    const std::vector<FbPrimitive> star = capture([] { gfx_star_rings(0.6f, 1, 0); });
    EXPECT_EQ(count_kind(star, FbPrimitive::polygon), 3u * 20);
    const std::vector<FbPrimitive> lines = lines_of(star);
    ASSERT_EQ(lines.size(), 2u * 10);
    struct Edge {
        size_t first_line;
        double notch, tip;
    };
    const Edge edges[] = {{0, 1.525, 3.05}, {10, 0.35, 0.7}};  // pass 3 outer, pass 4 inner
    for (const Edge& e : edges) {
        for (int m = 0; m <= 10; ++m) {
            SCOPED_TRACE(testing::Message() << "edge from line " << e.first_line << " point " << m);
            const FbVertex& v = m < 10 ? lines[e.first_line + size_t(m)].vertices[0]
                                       : lines[e.first_line + 9].vertices[1];
            const double theta = 0.6283184 * (m + 1);  // from +y towards +x
            const double radius = m % 2 ? e.tip : e.notch;
            EXPECT_NEAR(probe_x(v.x, extent), radius * std::sin(theta), 1e-3);
            EXPECT_NEAR(probe_y(v.y, extent), radius * std::cos(theta), 1e-3);
        }
    }
    // The tip at 360 degrees points straight up.
    const FbVertex& up = lines[10 + 9].vertices[0];
    EXPECT_NEAR(probe_x(up.x, extent), 0, 1e-3);
    EXPECT_NEAR(probe_y(up.y, extent), 0.7, 1e-3);
}

TEST_F(StarRings, OnlyTheSwingTurnsTheRings) {
    // Flat rings have every top-face vertex at the same depth (z = 6 - 26).
    for (int swing : {0, 1}) {
        SCOPED_TRACE(swing);
        begin_ortho_probe(extent);
        const std::vector<FbPrimitive> star = capture([&] { gfx_star_rings(1.1f, 3, swing); });
        EXPECT_EQ(count_kind(star, FbPrimitive::polygon), 3u * 3 * 20);
        float nearest = 1e9f, farthest = -1e9f;
        for (size_t i = 0; i < 60; ++i)  // pass 0, all three rings
            for (const FbVertex& v : star[i].vertices) {
                nearest = std::min(nearest, v.z);
                farthest = std::max(farthest, v.z);
            }
        if (swing) EXPECT_GT(farthest - nearest, 1e-4f);
        else EXPECT_NEAR(farthest - nearest, 0, 1e-6);
    }
}

TEST_F(StarRings, GridPlacesFiguresWithSteppedPhases) {
    struct Case {
        int count;
        float t;
    };
    for (const Case c : {Case{1, 0.3f}, Case{2, 0.3f}, Case{3, 4.25f}}) {
        SCOPED_TRACE(c.count);
        begin_ortho_probe(extent);
        const std::vector<FbPrimitive> grid = capture([&] { gfx_star_grid(c.t, c.count, 1); });
        // Each figure alone, at its place with its phase, drawn in grid order.
        std::vector<FbPrimitive> expected;
        for (int i = 0; i < c.count; ++i)
            for (int j = 0; j < c.count; ++j) {
                begin_ortho_probe(extent);
                glTranslatef(float(7 * j - 3.5 * (c.count - 1)), float(6 * i - 3 * (c.count - 1)), 0);
                const float phase = float(double(c.t) + 0.1 * (i + j));
                const std::vector<FbPrimitive> one = capture([&] { gfx_star_rings(phase, 1, 1); });
                expected.insert(expected.end(), one.begin(), one.end());
            }
        ASSERT_EQ(grid.size(), expected.size());
        for (size_t p = 0; p < grid.size(); ++p)
            for (size_t v = 0; v < grid[p].vertices.size(); ++v) {
                ASSERT_NEAR(grid[p].vertices[v].x, expected[p].vertices[v].x, 0.01) << p;
                ASSERT_NEAR(grid[p].vertices[v].y, expected[p].vertices[v].y, 0.01) << p;
                ASSERT_NEAR(grid[p].vertices[v].b, expected[p].vertices[v].b, 1e-5) << p;
            }
    }
}

TEST_F(StarRings, LeaveDepthCullingTexturingOffAndLineWidth2) {
    struct Case {
        const char* name;
        void (*draw)();
        bool draws;
    };
    const Case cases[] = {
        {"three rings", [] { gfx_star_rings(0.5f, 3, 1); }, true},
        {"no ring", [] { gfx_star_rings(0.5f, 0, 1); }, false},
        {"grid", [] { gfx_star_grid(0.5f, 2, 1); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        begin_frame();
        dirty_state();
        const GlState before = snapshot();
        EXPECT_EQ(capture(c.draw).empty(), !c.draws);
        const GlState after = snapshot();
        EXPECT_FALSE(after.depth_test);
        EXPECT_FALSE(after.cull_face);
        EXPECT_FALSE(after.texture_2d);
        EXPECT_EQ(after.line_width, 2);
        expect_colour(after, 1, 1, 1);
        EXPECT_EQ(after.matrix_mode, GL_MODELVIEW);
        for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after.modelview[i], before.modelview[i]);
    }
    // An empty grid changes nothing but the matrix mode.
    for (int count : {0, -3}) {
        dirty_state();
        GlState expected = snapshot();
        expected.matrix_mode = GL_MODELVIEW;
        EXPECT_TRUE(capture([&] { gfx_star_grid(1, count, 1); }).empty());
        expect_same_state(expected, snapshot());
    }
}

TEST_F(StarRings, Frames) {
    begin_frame();
    gfx_star_rings(2.4f, 3, 1);
    expect_matches_reference("star_rings", read_frame());
    begin_frame();
    gfx_star_grid(2.4f, 4, 1);
    expect_matches_reference("star_grid", read_frame());
}
