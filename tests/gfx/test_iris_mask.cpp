// The iris mask: a clear disc of the given radius, black out to radius + 5,
// drawn with whatever state the caller left, in the current matrix mode.
#include "gfx/gfx.h"
#include "tests/gfx/harness.h"

#include <GL/gl.h>

#include <cmath>
#include <limits>

namespace {

// Pixels per unit in the plane of the base matrix (z = -3, the near plane).
constexpr double pixels_per_unit = frame_width / 2.66;

}  // namespace

class IrisMask : public GlTest {};

TEST_F(IrisMask, LeavesAClearDiscAndBlacksOutTheRing) {
    struct Case {
        float radius;
        double clear_radius;  // in units; 0: nothing stays clear
    };
    const Case cases[] = {
        {0.5f, 0.5},
        {0.9f, 0.9},
        {-0.3f, 0},
        {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radius);
        begin_frame(1, 1, 1);
        gfx_iris_mask(c.radius);
        const Image frame = read_frame();
        const double edge = c.clear_radius * pixels_per_unit;
        size_t wrong = 0;
        for (int y = 0; y < frame_height; ++y)
            for (int x = 0; x < frame_width; ++x) {
                const double d = std::hypot(x + 0.5 - 320, y + 0.5 - 240);
                const uint8_t* p = frame.at(x, y);
                // One pixel of slack at the edge for the polygonal circle.
                if (d < edge - 1.5) wrong += p[0] != 255 || p[1] != 255 || p[2] != 255;
                else if (d > edge + 1.5) wrong += p[0] != 0 || p[1] != 0 || p[2] != 0;
            }
        EXPECT_EQ(wrong, 0u);
    }
}

TEST_F(IrisMask, RingRunsFromRToRPlus5OverSixtyFiveAngles) {
    constexpr double extent = 8;
    for (float r : {0.5f, 2.0f}) {
        SCOPED_TRACE(r);
        begin_ortho_probe(extent);
        const std::vector<FbPrimitive> ring = capture([&] { gfx_iris_mask(r); });
        EXPECT_EQ(ring.size(), 128u);  // a strip of 130 vertices
        double largest_angle = 0;
        for (const FbPrimitive& triangle : ring)
            for (const FbVertex& v : triangle.vertices) {
                const double x = probe_x(v.x, extent), y = probe_y(v.y, extent);
                const double d = std::hypot(x, y);
                EXPECT_TRUE(std::fabs(d - r) < 1e-3 || std::fabs(d - (r + 5)) < 1e-3) << d;
                EXPECT_EQ(v.r + v.g + v.b, 0.0f) << "black";
                // Measured from +y towards +x; the last angle is 6.4 (past a turn).
                double angle = std::atan2(x, y);
                if (angle < 0) angle += 2 * M_PI;
                if (angle < 0.15) angle += 2 * M_PI;  // the overlap past a full turn
                largest_angle = std::max(largest_angle, angle);
            }
        EXPECT_NEAR(largest_angle, 6.4, 1e-3);
    }
}

TEST_F(IrisMask, EnablesNothingAndRestoresTheCurrentMatrix) {
    begin_frame();
    dirty_state();  // leaves the texture matrix selected
    glTranslatef(0.5f, 0, 0);
    GlState expected = snapshot();
    float texture_matrix[16];
    glGetFloatv(GL_TEXTURE_MATRIX, texture_matrix);
    gfx_iris_mask(0.7f);
    expected.colour[0] = expected.colour[1] = expected.colour[2] = 1;
    expect_same_state(expected, snapshot());
    float after[16];
    glGetFloatv(GL_TEXTURE_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], texture_matrix[i]);
}

TEST_F(IrisMask, OverThePicture) {
    FixtureData data;
    ASSERT_EQ(gfx_load_pictures(), 1) << gfx_error();
    begin_frame();
    gfx_wavy_picture(2.1f, 0, 0);
    gfx_iris_mask(0.8f);
    expect_matches_reference("iris_mask", read_frame());
}
