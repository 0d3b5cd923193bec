// The JPEG decoder and the thirteen textures: what a picture looks like once
// decoded and uploaded, and how every kind of bad file is refused.
#include "gfx/gfx.h"
#include "tests/gfx/harness.h"

#include <GL/gl.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

struct Decoded {
    uint8_t* pixels = nullptr;
    int width = -1, height = -1;
    ~Decoded() { std::free(pixels); }
    const uint8_t* at(int x, int y) const { return pixels + (size_t(y) * width + x) * 3; }
};

void expect_near_rgb(const uint8_t* got, const uint8_t* want, int tolerance) {
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(got[c], want[c], tolerance) << "channel " << c;
}

std::string temp_path(const std::string& name) {
    return output_folder() + "/" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" + name;
}

}  // namespace

// --- decoding ---------------------------------------------------------------

TEST(Jpeg, DecodesRgbTopRowFirst) {
    const std::vector<uint8_t> picture = fixture_picture(3, 64);
    const std::string file = temp_path("rgb.jpg");
    ASSERT_TRUE(write_jpeg(file, 64, 64, picture.data()));
    Decoded d;
    d.pixels = gfx_load_jpeg(file.c_str(), &d.width, &d.height);
    ASSERT_NE(d.pixels, nullptr) << gfx_error();
    EXPECT_EQ(d.width, 64);
    EXPECT_EQ(d.height, 64);
    // One spare row past the image.
    EXPECT_GE(malloc_usable_size(d.pixels), size_t(65 * 64 * 3));
    // Flat areas of every quadrant, well away from the grid lines.
    expect_near_rgb(d.at(4, 4), quadrant_colours[0], 4);
    expect_near_rgb(d.at(60, 4), quadrant_colours[1], 4);
    expect_near_rgb(d.at(4, 60), quadrant_colours[2], 4);
    expect_near_rgb(d.at(60, 60), quadrant_colours[3], 4);
}

TEST(Jpeg, GrayscaleComesBackAsRgb) {
    std::vector<uint8_t> gray(32 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) gray[size_t(y) * 32 + x] = y < 8 ? 40 : 200;
    const std::string file = temp_path("gray.jpg");
    ASSERT_TRUE(write_jpeg(file, 32, 16, gray.data(), JpegKind::grayscale));
    Decoded d;
    d.pixels = gfx_load_jpeg(file.c_str(), &d.width, &d.height);
    ASSERT_NE(d.pixels, nullptr) << gfx_error();
    EXPECT_EQ(d.width, 32);
    const uint8_t dark[3] = {40, 40, 40}, light[3] = {200, 200, 200};
    expect_near_rgb(d.at(16, 2), dark, 3);
    expect_near_rgb(d.at(16, 13), light, 3);
}

TEST(Jpeg, RefusesWithoutEndingTheProcess) {
    const std::vector<uint8_t> cmyk(16 * 16 * 4, 128);
    const std::string cmyk_file = temp_path("cmyk.jpg");
    ASSERT_TRUE(write_jpeg(cmyk_file, 16, 16, cmyk.data(), JpegKind::cmyk));

    const std::string text_file = temp_path("text.jpg");
    std::ofstream(text_file) << "this is not a picture\n";

    const std::vector<uint8_t> picture = fixture_picture(0, 64);
    const std::string whole = temp_path("whole.jpg"), cut = temp_path("cut.jpg");
    ASSERT_TRUE(write_jpeg(whole, 64, 64, picture.data()));
    {
        std::ifstream in(whole, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    const std::string missing = temp_path("missing.jpg");

    struct Case {
        std::string path;
        const char* message_part;
        int expected_width;  // -1: the header was never read
    };
    const Case cases[] = {
        {missing, "cannot open ", -1},
        {text_file, "Not a JPEG file", -1},
        {cmyk_file, "CMYK", 16},
        {cut, "Premature end of JPEG file", 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        Decoded d;
        d.pixels = gfx_load_jpeg(c.path.c_str(), &d.width, &d.height);
        EXPECT_EQ(d.pixels, nullptr);
        EXPECT_EQ(d.width, c.expected_width);
        const std::string error = gfx_error();
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
        EXPECT_NE(error.find(c.message_part), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << "one line";
    }
    Decoded none;
    EXPECT_EQ(gfx_load_jpeg(nullptr, &none.width, &none.height), nullptr);
}

// --- font alpha -----------------------------------------------------------------

TEST(FontAlpha, FollowsTheCubicUpTo180ThenStaysAt240) {
    struct Case {
        int sum, alpha;
    };
    const Case cases[] = {
        {0, 0},     {28, 0},    {29, 1},    {60, 8},    {90, 30},   {120, 71},
        {150, 138}, {179, 236}, {180, 240}, {181, 240}, {500, 240}, {765, 240},
    };
    for (const Case& c : cases) EXPECT_EQ(gfx_font_alpha(c.sum), c.alpha) << "s = " << c.sum;
}

// --- textures -------------------------------------------------------------------

class Textures : public GlTest {};

TEST_F(Textures, TwelvePicturesUploadAsTheyAre) {
    FixtureData data;
    ASSERT_EQ(gfx_load_pictures(), 1) << gfx_error();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(uint32_t(bound), gfx_picture_textures[11]);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        glBindTexture(GL_TEXTURE_2D, gfx_picture_textures[i]);
        GLint width = 0, height = 0, wrap_s = 0, wrap_t = 0, mag = 0, min = 0, format = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap_s);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap_t);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
        EXPECT_EQ(width, 128);
        EXPECT_EQ(height, 128);
        EXPECT_TRUE(format == 3 || format == GL_RGB || format == GL_RGB8) << format;
        EXPECT_EQ(wrap_s, GL_REPEAT);
        EXPECT_EQ(wrap_t, GL_REPEAT);
        EXPECT_EQ(mag, GL_LINEAR);
        EXPECT_EQ(min, GL_LINEAR);
        // Each texture holds its own picture: the centre square's gray.
        std::vector<uint8_t> texels(128 * 128 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        EXPECT_NEAR(texels[(64 * 128 + 60) * 3], 10 + 20 * i, 4);
    }
}

TEST_F(Textures, TextureOriginSamplesThePicturesTopLeft) {
    FixtureData data;
    ASSERT_EQ(gfx_load_pictures(), 1) << gfx_error();
    ASSERT_EQ(gfx_load_font(), 1) << gfx_error();
    // The whole texture over the whole frame, s to the right and t downwards.
    auto show = [](uint32_t texture) {
        begin_ortho_probe(1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glColor3f(1, 1, 1);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0); glVertex2f(-1, 1);
        glTexCoord2f(1, 0); glVertex2f(1, 1);
        glTexCoord2f(1, 1); glVertex2f(1, -1);
        glTexCoord2f(0, 1); glVertex2f(-1, -1);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        return read_frame();
    };
    for (int i : {0, 4, 9, 11}) {
        SCOPED_TRACE(i);
        const Image frame = show(gfx_picture_textures[i]);
        // Texels about 4 in from the corners, clear of the grid lines and of
        // the very edges, which blend with the wrapped opposite side.
        expect_near_rgb(frame.at(22, 18), quadrant_colours[0], 6);
        expect_near_rgb(frame.at(602, 18), quadrant_colours[1], 6);
        expect_near_rgb(frame.at(22, 452), quadrant_colours[2], 6);
        expect_near_rgb(frame.at(602, 452), quadrant_colours[3], 6);
    }
    // The font's first cell ('a') is at the top-left: its bar, red 100 green 100.
    const Image font = show(gfx_font_texture);
    const uint8_t* a_bar = font.at(frame_width / 12, frame_height / 24);
    EXPECT_NEAR(a_bar[0], 100, 8);
    EXPECT_NEAR(a_bar[1], 100, 8);
}

TEST_F(Textures, FontAlphaComesFromEachPixelsBrightness) {
    FixtureData data;
    ASSERT_EQ(gfx_load_font(), 1) << gfx_error();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(uint32_t(bound), gfx_font_texture);
    std::vector<uint8_t> texels(256 * 256 * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    Decoded d;
    d.pixels = gfx_load_jpeg("data/fontsor2smuut.jpg", &d.width, &d.height);
    ASSERT_NE(d.pixels, nullptr);
    int transparent = 0, opaque = 0;
    for (int i = 0; i < 256 * 256; ++i) {
        const uint8_t* rgb = d.pixels + i * 3;
        const uint8_t* rgba = &texels[size_t(i) * 4];
        ASSERT_EQ(std::memcmp(rgb, rgba, 3), 0) << "pixel " << i;
        ASSERT_EQ(rgba[3], gfx_font_alpha(rgb[0] + rgb[1] + rgb[2])) << "pixel " << i;
        transparent += rgba[3] == 0;
        opaque += rgba[3] == 240;
    }
    // Both ends of the rule occur: black ground and bright bars.
    EXPECT_GT(transparent, 256 * 256 / 2);
    EXPECT_GT(opaque, 256 * 256 / 20);
}

TEST_F(Textures, UnusablePicturesStopLoadingWithTheFileNamed) {
    struct Case {
        const char* name;
        const char* file;
        int width, height;  // 0: the file is removed
        JpegKind kind;
        const char* message;
    };
    const Case cases[] = {
        {"missing", "data/flamzor.jpg", 0, 0, JpegKind::rgb, "cannot open data/flamzor.jpg"},
        {"not a power of two", "data/bufzor.jpg", 96, 64, JpegKind::rgb,
         "data/bufzor.jpg: not a power-of-two size (96x64)"},
        {"one side off", "data/oho_small.jpg", 128, 100, JpegKind::rgb,
         "data/oho_small.jpg: not a power-of-two size (128x100)"},
        {"cmyk", "data/zorke.jpg", 32, 32, JpegKind::cmyk, "data/zorke.jpg: CMYK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixtureData data;
        if (c.width == 0) {
            data.remove(c.file);
        } else {
            const int components = c.kind == JpegKind::cmyk ? 4 : 3;
            std::vector<uint8_t> pixels(size_t(c.width) * c.height * components, 150);
            data.replace(c.file, c.width, c.height, pixels.data(), c.kind);
        }
        EXPECT_EQ(gfx_load_pictures(), 0);
        EXPECT_EQ(std::string(gfx_error()).rfind(c.message, 0), 0u) << gfx_error();
    }
    // A grayscale picture is usable: it loads as colour.
    FixtureData data;
    std::vector<uint8_t> gray(64 * 64, 90);
    data.replace("data/puu_small.jpg", 64, 64, gray.data(), JpegKind::grayscale);
    EXPECT_EQ(gfx_load_pictures(), 1) << gfx_error();
}

TEST_F(Textures, UnusableFontIsReportedNotFatal) {
    {
        FixtureData data;
        data.remove("data/fontsor2smuut.jpg");
        EXPECT_EQ(gfx_load_font(), 0);
        EXPECT_STREQ(gfx_error(), "cannot open data/fontsor2smuut.jpg");
    }
    {
        FixtureData data;
        std::vector<uint8_t> pixels(200 * 256 * 3, 200);
        data.replace("data/fontsor2smuut.jpg", 200, 256, pixels.data());
        EXPECT_EQ(gfx_load_font(), 0);
        EXPECT_STREQ(gfx_error(), "data/fontsor2smuut.jpg: not a power-of-two size (200x256)");
    }
    {
        FixtureData data;
        std::ofstream(data.path("data/fontsor2smuut.jpg")) << "garbage";
        EXPECT_EQ(gfx_load_font(), 0);
        EXPECT_NE(std::string(gfx_error()).find("data/fontsor2smuut.jpg: "), std::string::npos);
    }
}
