// Text: where each letter lands and how it rocks (exact, from the captured
// geometry), which glyph cell each byte samples, how a letter looks, and
// the state the text drawing leaves.
#include "gfx/gfx.h"
#include "tests/gfx/harness.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr double extent = 10;  // probe camera: object x, y in [-10, 10]
constexpr double sixth = 0.16666666666666666;
constexpr double degrees_per_radian = 57.29577951308232;

struct Letter {
    double x, y;       // centre
    double angle;      // degrees, counter-clockwise
    float left, top;   // texture window
};

// Each non-space letter arrives as one quad, split into two triangles.
std::vector<Letter> captured_letters(const char* text, float t) {
    begin_ortho_probe(extent);
    const std::vector<FbPrimitive> primitives = capture([&] { gfx_draw_text(text, t); });
    std::vector<Letter> letters;
    EXPECT_EQ(primitives.size() % 2, 0u);
    for (size_t p = 0; p + 1 < primitives.size(); p += 2) {
        std::vector<FbVertex> corners = primitives[p].vertices;
        corners.insert(corners.end(), primitives[p + 1].vertices.begin(),
                       primitives[p + 1].vertices.end());
        Letter letter{0, 0, 0, 1e9f, 1e9f};
        const FbVertex *bottom_left = nullptr, *bottom_right = nullptr;
        float bottom = -1e9f;
        for (const FbVertex& v : corners) {
            letter.x += probe_x(v.x, extent) / double(corners.size());
            letter.y += probe_y(v.y, extent) / double(corners.size());
            letter.left = std::min(letter.left, v.s);
            letter.top = std::min(letter.top, v.t);
            bottom = std::max(bottom, v.t);
        }
        for (const FbVertex& v : corners) {
            if (v.t != bottom) continue;
            if (v.s == letter.left) bottom_left = &v;
            else bottom_right = &v;
        }
        if (!bottom_left || !bottom_right) {
            ADD_FAILURE() << "letter " << letters.size() << " has no bottom edge";
            continue;
        }
        const double dx = probe_x(bottom_right->x, extent) - probe_x(bottom_left->x, extent);
        const double dy = probe_y(bottom_right->y, extent) - probe_y(bottom_left->y, extent);
        letter.angle = std::atan2(dy, dx) * degrees_per_radian;
        // The bottom-left corner sits at (-0.5, -0.5) of the turned letter: upright.
        const double a = letter.angle / degrees_per_radian;
        EXPECT_NEAR(probe_x(bottom_left->x, extent) - letter.x,
                    -0.5 * std::cos(a) + 0.5 * std::sin(a), 1e-4);
        EXPECT_NEAR(probe_y(bottom_left->y, extent) - letter.y,
                    -0.5 * std::sin(a) - 0.5 * std::cos(a), 1e-4);
        letters.push_back(letter);
    }
    return letters;
}

}  // namespace

class Text : public GlTest {};

TEST_F(Text, LettersLandOnTheCentredLineAndRock) {
    struct Case {
        const char* text;
        float t;
    };
    const Case cases[] = {
        {"a", 0},
        {"ab", 0},
        {"zorvandu kelemba", 1.25f},
        {"2 days hard work   let us speak swahili", 33.7f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<Letter> letters = captured_letters(c.text, c.t);
        const size_t length = std::strlen(c.text);
        size_t drawn = 0;
        for (size_t i = 0; i < length; ++i) {
            if (c.text[i] == ' ') continue;
            ASSERT_LT(drawn, letters.size());
            const Letter& letter = letters[drawn++];
            SCOPED_TRACE(i);
            EXPECT_NEAR(letter.x, 0.4 * double(i) - 0.2 * double(length - 1), 1e-4);
            EXPECT_NEAR(letter.y, 0, 1e-4);
            EXPECT_NEAR(letter.angle, 5 * std::sin(2 * double(c.t) + 10 * double(i)), 2e-3);
        }
        EXPECT_EQ(drawn, letters.size());
    }
    // Three spaces put the letters on either side four advances apart.
    const std::vector<Letter> letters = captured_letters("k   l", 0);
    ASSERT_EQ(letters.size(), 2u);
    EXPECT_NEAR(letters[1].x - letters[0].x, 1.6, 1e-4);
}

TEST_F(Text, EachByteSamplesItsGlyphCell) {
    struct Case {
        char byte;
        int column, row;  // negative where the byte has no cell of its own
    };
    const Case cases[] = {
        {'a', 0, 0}, {'f', 5, 0}, {'g', 0, 1}, {'x', 5, 3}, {'z', 1, 4},
        {'0', 2, 4}, {'3', 5, 4}, {'4', 0, 5}, {'9', 5, 5},
        {'{', 2, 4},             // 123 takes the cell of '0'
        {'A', -2, -5},           // 65 - 97 = -32, truncating division
        {char(-56), -3, -25},    // a byte above 127 is negative: -153
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.byte);
        const char text[2] = {c.byte, 0};
        const std::vector<Letter> letters = captured_letters(text, 0);
        ASSERT_EQ(letters.size(), 1u);
        EXPECT_FLOAT_EQ(letters[0].left, float(c.column * sixth));
        EXPECT_FLOAT_EQ(letters[0].top, float(c.row * sixth + 0.01));
    }
}

TEST_F(Text, GlyphsShowUprightInTheFontsColoursAtAlpha240) {
    FixtureData data;
    ASSERT_EQ(gfx_load_font(), 1) << gfx_error();
    begin_frame();
    gfx_draw_text("ab", 0);
    const Image frame = read_frame();
    const double pixels_per_unit = frame_width / 2.66;
    const int a_x = int(std::lround(320 - 0.2 * pixels_per_unit));
    const int b_x = int(std::lround(320 + 0.2 * pixels_per_unit));
    auto expect_pixel = [&](int x, int y, int r, int g, int b) {
        SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
        const uint8_t* p = frame.at(x, y);
        EXPECT_NEAR(p[0], r, 10);
        EXPECT_NEAR(p[1], g, 10);
        EXPECT_NEAR(p[2], b, 10);
    };
    const double keep = 240.0 / 255.0;
    // The bar's upper half has blue 60 and its lower half blue 220: upright.
    expect_pixel(a_x, 240 - 60, int(100 * keep), int(100 * keep), int(60 * keep));
    expect_pixel(a_x, 240 + 45, int(100 * keep), int(100 * keep), int(220 * keep));
    expect_pixel(b_x, 240 - 60, int(125 * keep), int(100 * keep), int(60 * keep));
    // Between the letters the font's black ground is transparent.
    expect_pixel(320, 240, 0, 0, 0);
    expect_matches_reference("text", frame);
}

TEST_F(Text, LeavesBlendingDepthAndTexturingOff) {
    FixtureData data;
    ASSERT_EQ(gfx_load_font(), 1) << gfx_error();
    begin_frame();
    dirty_state();
    const GlState before = snapshot();
    gfx_draw_text("hi", 2);
    const GlState after = snapshot();
    EXPECT_FALSE(after.blend);
    EXPECT_EQ(after.blend_src, GL_SRC_ALPHA);
    EXPECT_EQ(after.blend_dst, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_FALSE(after.depth_test);
    EXPECT_FALSE(after.texture_2d);
    EXPECT_EQ(uint32_t(after.bound_texture), gfx_font_texture);
    expect_colour(after, 1, 1, 1);
    EXPECT_EQ(after.matrix_mode, GL_MODELVIEW);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after.modelview[i], before.modelview[i]);
}

TEST_F(Text, BlankTextChangesOnlyTheMatrixMode) {
    begin_frame();
    for (const char* text : {"", "   ", static_cast<const char*>(nullptr)}) {
        dirty_state();
        GlState expected = snapshot();
        expected.matrix_mode = GL_MODELVIEW;
        gfx_draw_text(text, 1);
        expect_same_state(expected, snapshot());
    }
    dirty_state();
    const GlState before = snapshot();
    gfx_draw_glyph(' ');
    expect_same_state(before, snapshot());
}
