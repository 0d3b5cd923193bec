// Bad picture and font files, one row per kind of damage. Each must end in a
// refusal with a one-line reason naming the file (which start-up turns into
// its one line and exit status 1), or in a usable image: never a crash, a
// library message on stderr, or a texture of garbage. Fixtures are encoded
// here with libjpeg into a temporary data/ folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <GL/gl.h>
#include <jpeglib.h>

#include "gfx/gfx.h"
#include "gfx/offscreen_gl.h"

namespace fs = std::filesystem;

namespace {

enum class Kind { rgb, gray, cmyk };

// Encodes a width x height picture: a diagonal colour ramp (gray or CMYK
// values of the same ramp for the other kinds).
std::vector<uint8_t> encode_jpeg(int width, int height, Kind kind) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &mem, &size);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = kind == Kind::gray ? 1 : kind == Kind::cmyk ? 4 : 3;
    c.in_color_space = kind == Kind::gray ? JCS_GRAYSCALE : kind == Kind::cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(size_t(width) * c.input_components);
    while (c.next_scanline < c.image_height) {
        int y = int(c.next_scanline);
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < c.input_components; ++k)
                row[size_t(x) * c.input_components + k] = uint8_t((x * 255 / width + y * 255 / height) / 2 + 40 * k);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> out(mem, mem + size);
    std::free(mem);
    return out;
}

std::vector<uint8_t> cut(std::vector<uint8_t> v, size_t n) {
    v.resize(std::min(n, v.size()));
    return v;
}

// A small picture whose header claims 60000 x 60000 pixels.
std::vector<uint8_t> huge_header() {
    std::vector<uint8_t> f = encode_jpeg(16, 16, Kind::rgb);
    for (size_t i = 0; i + 8 < f.size(); ++i)
        if (f[i] == 0xFF && (f[i + 1] == 0xC0 || f[i + 1] == 0xC2)) {  // start of frame
            f[i + 5] = 60000 >> 8;
            f[i + 6] = 60000 & 0xFF;
            f[i + 7] = 60000 >> 8;
            f[i + 8] = 60000 & 0xFF;
            break;
        }
    return f;
}

std::vector<uint8_t> garbage(size_t n) {
    std::vector<uint8_t> v(n);
    uint32_t x = 12345;
    for (uint8_t& b : v) b = uint8_t((x = x * 1103515245u + 12345u) >> 24);
    return v;
}

void write_file(const fs::path& p, const std::vector<uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool one_line_naming(const char* text, const std::string& file) {
    return text && *text && !std::strchr(text, '\n') && std::strstr(text, file.c_str());
}

// A temporary working directory with a data/ folder, removed afterwards.
class TempDataDir {
public:
    TempDataDir() {
        char tmpl[] = "/tmp/zk_pictures_XXXXXX";
        root_ = mkdtemp(tmpl);
        fs::create_directory(root_ / "data");
        old_ = fs::current_path();
        fs::current_path(root_);
    }
    ~TempDataDir() {
        fs::current_path(old_);
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    void put(const std::string& name, const std::vector<uint8_t>& bytes) { write_file(root_ / name, bytes); }
    void remove(const std::string& name) { fs::remove(root_ / name); }
    // All twelve pictures and the font, good and small.
    void put_all_good() {
        for (const char* f : gfx_picture_files) put(f, encode_jpeg(32, 16, Kind::rgb));
        put(kFont, encode_jpeg(64, 64, Kind::rgb));
    }
    static constexpr const char* kFont = "data/fontsor2smuut.jpg";

private:
    fs::path root_, old_;
};

struct Damage {
    const char* name;
    bool present;  // false: the file is removed
    std::vector<uint8_t> bytes;
    bool usable;
};

std::vector<Damage> damages() {
    std::vector<uint8_t> good = encode_jpeg(64, 32, Kind::rgb);
    return {
        {"missing", false, {}, false},
        {"empty", true, {}, false},
        {"not a JPEG at all", true, garbage(3000), false},
        {"cut inside the header", true, cut(good, 200), false},
        {"cut inside the image data", true, cut(good, good.size() * 2 / 3), false},
        {"cut to 2 bytes", true, cut(good, 2), false},
        {"header claims 60000 x 60000", true, huge_header(), false},
        {"grayscale", true, encode_jpeg(32, 32, Kind::gray), true},
        {"CMYK", true, encode_jpeg(32, 32, Kind::cmyk), false},
        {"sides 48 x 40", true, encode_jpeg(48, 40, Kind::rgb), false},
        {"sides 64 x 1", true, encode_jpeg(64, 1, Kind::rgb), true},
    };
}

class BadPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gl_ok_ = gfx_offscreen_open(64, 64) == 1; }
    static void TearDownTestSuite() { gfx_offscreen_close(); }
    void SetUp() override {
        if (!gl_ok_) GTEST_SKIP() << "no headless GL context: " << gfx_offscreen_error();
    }
    static bool gl_ok_;
};
bool BadPictures::gl_ok_ = false;

}  // namespace

// The decoder alone: every damaged file gives null with a one-line reason
// naming it, or a whole RGB image of the size its header gives.
TEST(BadJpeg, DecoderRefusesOrDecodes) {
    TempDataDir dir;
    for (const Damage& d : damages()) {
        SCOPED_TRACE(d.name);
        const std::string path = "data/probe.jpg";
        if (d.present) {
            dir.put(path, d.bytes);
        } else {
            dir.remove(path);
        }
        int w = -1, h = -1;
        uint8_t* rgb = gfx_load_jpeg(path.c_str(), &w, &h);
        bool decodable_sides = std::string(d.name).find("sides") != std::string::npos;
        if (d.usable || decodable_sides) {
            ASSERT_NE(rgb, nullptr) << gfx_error();
            EXPECT_GT(w, 0);
            EXPECT_GT(h, 0);
            if (std::string(d.name) == "grayscale")
                for (int i = 0; i < w * h; ++i) {
                    ASSERT_EQ(rgb[3 * i], rgb[3 * i + 1]);
                    ASSERT_EQ(rgb[3 * i], rgb[3 * i + 2]);
                }
        } else {
            EXPECT_EQ(rgb, nullptr);
            EXPECT_TRUE(one_line_naming(gfx_error(), path)) << gfx_error();
        }
        std::free(rgb);
    }
}

TEST_F(BadPictures, EveryPictureSlotRefusesOrLoads) {
    for (const Damage& d : damages()) {
        for (int slot : {0, 11}) {
            SCOPED_TRACE(std::string(d.name) + " as picture " + std::to_string(slot));
            TempDataDir dir;
            dir.put_all_good();
            if (d.present) {
                dir.put(gfx_picture_files[slot], d.bytes);
            } else {
                dir.remove(gfx_picture_files[slot]);
            }
            int ok = gfx_load_pictures();
            EXPECT_EQ(ok, d.usable ? 1 : 0) << gfx_error();
            if (!ok) {
                EXPECT_TRUE(one_line_naming(gfx_error(), gfx_picture_files[slot])) << gfx_error();
            }
            EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        }
    }
}

TEST_F(BadPictures, FontRefusesOrLoads) {
    for (const Damage& d : damages()) {
        SCOPED_TRACE(d.name);
        TempDataDir dir;
        dir.put_all_good();
        if (d.present) {
            dir.put(TempDataDir::kFont, d.bytes);
        } else {
            dir.remove(TempDataDir::kFont);
        }
        int ok = gfx_load_font();
        EXPECT_EQ(ok, d.usable ? 1 : 0) << gfx_error();
        if (!ok) {
            EXPECT_TRUE(one_line_naming(gfx_error(), TempDataDir::kFont)) << gfx_error();
        }
    }
}
