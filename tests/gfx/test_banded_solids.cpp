// Banded solids: the rings close and sit where their formulas put them, the
// spiral ends at its stated radii, the pinwheel has the blades it is asked
// for, and each leaves the state it lists.
#include "gfx/gfx.h"
#include "tests/gfx/harness.h"

#include <GL/gl.h>

#include <cmath>

class BandedSolids : public GlTest {};

TEST_F(BandedSolids, NestedRingsCloseAndOrbitTheirCentres) {
    constexpr double extent = 8;
    begin_ortho_probe(extent);
    const std::vector<FbPrimitive> rings = capture([] { gfx_nested_rings(0); });
    // 11 rings of 31 angles: 60 triangles a strip in passes 0 to 2, and 30
    // outline segments a ring in passes 3 and 4.
    EXPECT_EQ(count_kind(rings, FbPrimitive::polygon), 3u * 11 * 60);
    const std::vector<FbPrimitive> lines = lines_of(rings);
    ASSERT_EQ(lines.size(), 2u * 11 * 30);
    // At t = 0 the figure is tilted by cos 0 = 1 degree about x and not
    // otherwise turned; the top face lies at z = 0.2.
    const double tilt = 1.0 * M_PI / 180;
    for (int pass = 3; pass <= 4; ++pass) {
        for (int n = 0; n <= 10; ++n) {
            SCOPED_TRACE(testing::Message() << "pass " << pass << " ring " << n);
            const double cx = 0.15 * n + 0.43 * std::cos(0.5 * n) - 0.6;
            const double cy = 0.43 * std::sin(0.5 * n) - 0.6;
            const double R = 0.44 * n;
            const size_t first = size_t(pass - 3) * 330 + size_t(n) * 30;
            for (int k = 0; k <= 30; ++k) {
                const double theta = k * (6.283184 / 30);
                const bool outer = pass == 3;
                const double x = outer ? cx + 0.15 + (R + 0.2) * std::sin(theta) : cx + R * std::sin(theta);
                const double y = outer ? cy + (R + 0.2) * std::cos(theta) : cy + R * std::cos(theta);
                const FbVertex& v = k < 30 ? lines[first + size_t(k)].vertices[0]
                                           : lines[first + 29].vertices[1];
                EXPECT_NEAR(probe_x(v.x, extent), x, 2e-4) << k;
                EXPECT_NEAR(probe_y(v.y, extent), y * std::cos(tilt) - 0.2 * std::sin(tilt), 2e-4) << k;
                EXPECT_EQ(v.r + v.g + v.b, 0.0f);
            }
            // The last angle is one full turn: the strip ends where it began.
            const FbVertex& start = lines[first].vertices[0];
            const FbVertex& end = lines[first + 29].vertices[1];
            EXPECT_NEAR(start.x, end.x, 1e-3);
            EXPECT_NEAR(start.y, end.y, 1e-3);
        }
    }
    // Top colours run from green (inner ring) to red (outer ring).
    EXPECT_FLOAT_EQ(rings[0].vertices[0].g, 1);
    EXPECT_FLOAT_EQ(rings[10 * 60].vertices[0].r, 1);
}

TEST_F(BandedSolids, SpiralEndsAtItsStatedRadii) {
    constexpr double extent = 6;
    begin_ortho_probe(extent);
    // At t = 0: D = 5, not turned, 172 steps of 0.7 up to u = 119.7.
    const std::vector<FbPrimitive> spiral = capture([] { gfx_spiral_band(0); });
    EXPECT_EQ(count_kind(spiral, FbPrimitive::polygon), 3u * 342);
    const std::vector<FbPrimitive> lines = lines_of(spiral);
    ASSERT_EQ(lines.size(), 2u * 171);
    struct Edge {
        size_t last_line;
        double radius, angle;
    };
    const Edge edges[] = {
        {170, 3.99 + 0.3, 23.94 + 0.2},  // pass 3: the outer edge
        {341, 3.99, 23.94},              // pass 4: the inner edge
    };
    for (const Edge& e : edges) {
        const FbVertex& v = lines[e.last_line].vertices[1];
        EXPECT_NEAR(probe_x(v.x, extent), e.radius * std::sin(e.angle), 1e-3);
        EXPECT_NEAR(probe_y(v.y, extent), e.radius * std::cos(e.angle), 1e-3);
    }
    // Both edges start at the centre's side: inner at 0, outer 0.3 out.
    EXPECT_NEAR(probe_x(lines[171].vertices[0].x, extent), 0, 1e-4);
    EXPECT_NEAR(probe_y(lines[171].vertices[0].y, extent), 0, 1e-4);
}

TEST_F(BandedSolids, PinwheelHasTheBladesAskedFor) {
    struct Case {
        int asked, drawn;
    };
    const Case cases[] = {{10, 10}, {1, 1}, {3, 3}, {62, 62}, {63, 62}, {100, 99}, {0, 0}, {-4, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        begin_ortho_probe(5);
        const std::vector<FbPrimitive> wheel = capture([&] { gfx_pinwheel(0, c.asked, 0.2f); });
        // Each blade outlines both edges: 40 points, 39 segments each.
        EXPECT_EQ(count_kind(wheel, FbPrimitive::line), size_t(c.drawn) * 2 * 39);
    }
    // Ten blades 0.6283184 apart, each 0.2 x 0.6283184 wide, bent alike: at
    // t = 0 the first edge at radius u lies at angle o + 0.2 sin 2.1u + sin u.
    constexpr double extent = 5;
    begin_ortho_probe(extent);
    const std::vector<FbPrimitive> lines =
        lines_of(capture([] { gfx_pinwheel(0, 10, 0.2f); }));
    ASSERT_EQ(lines.size(), 780u);
    const double bend = 0.2 * std::sin(2.1) + std::sin(1.0);  // at u = 1
    for (int blade = 0; blade < 10; ++blade) {
        SCOPED_TRACE(blade);
        const FbVertex& first = lines[size_t(blade) * 39 + 10].vertices[0];         // pass 3
        const FbVertex& second = lines[390 + size_t(blade) * 39 + 10].vertices[0];  // pass 4
        const double a1 = std::atan2(probe_x(first.x, extent), probe_y(first.y, extent));
        const double a2 = std::atan2(probe_x(second.x, extent), probe_y(second.y, extent));
        EXPECT_NEAR(std::remainder(a1 - (blade * 0.6283184 + bend), 2 * M_PI), 0, 1e-4);
        EXPECT_NEAR(std::remainder(a2 - a1, 2 * M_PI), 0.12566368, 1e-4);
        EXPECT_NEAR(std::hypot(probe_x(first.x, extent), probe_y(first.y, extent)), 1.0, 1e-4);
    }
}

TEST_F(BandedSolids, EachLeavesItsListedState) {
    struct Case {
        const char* name;
        void (*draw)();
        float colour;                 // white 1 or black 0
        bool clears_culling_and_texturing;
        bool smooth;
    };
    const Case cases[] = {
        {"rings", [] { gfx_nested_rings(2.2f); }, 1, true, false},
        {"spiral", [] { gfx_spiral_band(2.2f); }, 0, false, false},
        {"pinwheel", [] { gfx_pinwheel(2.2f, 10, 0.2f); }, 0, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        begin_frame();
        dirty_state();
        const GlState before = snapshot();
        c.draw();
        const GlState after = snapshot();
        EXPECT_FALSE(after.depth_test);
        EXPECT_EQ(after.line_width, 2);
        expect_colour(after, c.colour, c.colour, c.colour);
        EXPECT_EQ(after.cull_face, !c.clears_culling_and_texturing);
        EXPECT_EQ(after.texture_2d, !c.clears_culling_and_texturing);
        EXPECT_TRUE(after.blend) << "blending is left as found";
        EXPECT_EQ(after.shade_model, c.smooth ? GL_SMOOTH : GL_FLAT);
        EXPECT_EQ(after.matrix_mode, GL_MODELVIEW);
        for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after.modelview[i], before.modelview[i]);
    }
    // No blades: nothing drawn and nothing changed.
    dirty_state();
    const GlState before = snapshot();
    gfx_pinwheel(1, 0, 0.2f);
    expect_same_state(before, snapshot());
}

TEST_F(BandedSolids, Frames) {
    begin_frame();
    gfx_nested_rings(1.7f);
    expect_matches_reference("nested_rings", read_frame());
    begin_frame();
    gfx_spiral_band(1.7f);
    expect_matches_reference("spiral_band", read_frame());
    begin_frame();
    gfx_pinwheel(1.7f, 10, 0.2f);
    expect_matches_reference("pinwheel", read_frame());
}
