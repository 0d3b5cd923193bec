// The headless context: sizes, depth buffer, and pixels read top row first.
#include "gfx/offscreen_gl.h"
#include "tests/gfx/harness.h"

#include <GL/gl.h>

#include <string>

TEST(OffscreenGl, RefusesEmptySizes) {
    for (int side : {0, -5}) {
        EXPECT_EQ(gfx_offscreen_open(side, 10), 0);
        EXPECT_NE(std::string(gfx_offscreen_error()).find("bad size"), std::string::npos);
        EXPECT_EQ(gfx_offscreen_width(), 0);
    }
}

TEST(OffscreenGl, ReadsTopRowFirstAtAnySize) {
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{1440, 1080}, Case{640, 480}, Case{37, 11}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        ASSERT_EQ(gfx_offscreen_open(c.width, c.height), 1) << gfx_offscreen_error();
        EXPECT_EQ(gfx_offscreen_width(), c.width);
        GLint depth_bits = 0;
        glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
        EXPECT_GE(depth_bits, 24);
        // Red over the upper half, green over the lower half.
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor3f(1, 0, 0);
        glRectf(-1, 0, 1, 1);
        std::vector<uint8_t> rgba(size_t(c.width) * c.height * 4);
        gfx_offscreen_read_rgba(rgba.data());
        const uint8_t* top_left = &rgba[0];
        const uint8_t* bottom_right = &rgba[rgba.size() - 4];
        EXPECT_EQ(top_left[0], 255);
        EXPECT_EQ(top_left[1], 0);
        EXPECT_EQ(bottom_right[0], 0);
        EXPECT_EQ(bottom_right[1], 255);
        EXPECT_EQ(bottom_right[3], 255);
    }
    gfx_offscreen_close();
    gfx_offscreen_close();  // closing twice is harmless
    EXPECT_EQ(gfx_offscreen_width(), 0);
}
