#include "tests/gfx/harness.h"

#include "gfx/gfx.h"
#include "gfx/offscreen_gl.h"

#include <GL/gl.h>
#include <jpeglib.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

// --- context and camera -------------------------------------------------------

void GlTest::SetUpTestSuite() {
    if (gfx_offscreen_width() == frame_width && gfx_offscreen_height() == frame_height) return;
    ASSERT_EQ(gfx_offscreen_open(frame_width, frame_height), 1) << gfx_offscreen_error();
}

void GlTest::SetUp() { reset_state(); }

void reset_state() {
    for (GLenum capability : {GL_DEPTH_TEST, GL_BLEND, GL_TEXTURE_2D, GL_CULL_FACE,
                              GL_POLYGON_OFFSET_FILL})
        glDisable(capability);
    glDepthMask(GL_TRUE);
    glBlendFunc(GL_ONE, GL_ZERO);
    glPolygonOffset(0, 0);
    glLineWidth(1);
    glColor4f(1, 1, 1, 1);
    glShadeModel(GL_SMOOTH);
    glBindTexture(GL_TEXTURE_2D, 0);
    for (GLenum mode : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
        glMatrixMode(mode);
        glLoadIdentity();
    }
}

void begin_frame(float red, float green, float blue) {
    glClearColor(red, green, blue, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1.33, 1.33, -1, 1, 3, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -3);
}

void begin_ortho_probe(double extent) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-extent, extent, -extent, extent, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

double probe_x(float window_x, double extent) {
    return (double(window_x) - frame_width / 2.0) * extent / (frame_width / 2.0);
}
double probe_y(float window_y, double extent) {
    return (double(window_y) - frame_height / 2.0) * extent / (frame_height / 2.0);
}

// --- captured geometry --------------------------------------------------------

std::vector<FbPrimitive> capture(const std::function<void()>& draw) {
    static std::vector<GLfloat> buffer(1 << 22);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    EXPECT_GE(used, 0) << "feedback buffer overflowed";

    constexpr int vertex_floats = 11;  // x y z, r g b a, s t r q
    auto vertex_at = [&](GLint i) {
        const GLfloat* v = &buffer[size_t(i)];
        return FbVertex{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]};
    };
    std::vector<FbPrimitive> primitives;
    for (GLint i = 0; i < used;) {
        const int token = int(buffer[size_t(i++)]);
        FbPrimitive primitive{};
        int vertices = 0;
        if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
            token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
            primitive.kind = FbPrimitive::point, vertices = 1;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            primitive.kind = FbPrimitive::line, vertices = 2;
        } else if (token == GL_POLYGON_TOKEN) {
            primitive.kind = FbPrimitive::polygon, vertices = int(buffer[size_t(i++)]);
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            ++i;
            continue;
        } else {
            ADD_FAILURE() << "unknown feedback token " << token;
            break;
        }
        for (int k = 0; k < vertices; ++k, i += vertex_floats)
            primitive.vertices.push_back(vertex_at(i));
        primitives.push_back(std::move(primitive));
    }
    return primitives;
}

size_t count_kind(const std::vector<FbPrimitive>& primitives, FbPrimitive::Kind kind) {
    return size_t(std::count_if(primitives.begin(), primitives.end(),
                                [&](const FbPrimitive& p) { return p.kind == kind; }));
}

std::vector<FbPrimitive> lines_of(const std::vector<FbPrimitive>& primitives) {
    std::vector<FbPrimitive> lines;
    for (const FbPrimitive& p : primitives)
        if (p.kind == FbPrimitive::line) lines.push_back(p);
    return lines;
}

// --- state left behind --------------------------------------------------------

GlState snapshot() {
    GlState s{};
    s.depth_test = glIsEnabled(GL_DEPTH_TEST);
    s.blend = glIsEnabled(GL_BLEND);
    s.texture_2d = glIsEnabled(GL_TEXTURE_2D);
    s.cull_face = glIsEnabled(GL_CULL_FACE);
    s.polygon_offset_fill = glIsEnabled(GL_POLYGON_OFFSET_FILL);
    GLboolean mask = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    s.depth_mask = mask;
    glGetFloatv(GL_LINE_WIDTH, &s.line_width);
    glGetFloatv(GL_CURRENT_COLOR, s.colour);
    glGetIntegerv(GL_MATRIX_MODE, &s.matrix_mode);
    glGetIntegerv(GL_SHADE_MODEL, &s.shade_model);
    glGetIntegerv(GL_BLEND_SRC, &s.blend_src);
    glGetIntegerv(GL_BLEND_DST, &s.blend_dst);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.bound_texture);
    glGetFloatv(GL_MODELVIEW_MATRIX, s.modelview);
    return s;
}

void dirty_state() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glDepthMask(GL_FALSE);
    glLineWidth(5);
    glColor3f(0.25f, 0.5f, 0.75f);
    glShadeModel(GL_FLAT);
    glMatrixMode(GL_PROJECTION);
    glMatrixMode(GL_MODELVIEW);
    glMatrixMode(GL_TEXTURE);
}

void expect_same_state(const GlState& a, const GlState& b) {
    EXPECT_EQ(a.depth_test, b.depth_test);
    EXPECT_EQ(a.blend, b.blend);
    EXPECT_EQ(a.texture_2d, b.texture_2d);
    EXPECT_EQ(a.cull_face, b.cull_face);
    EXPECT_EQ(a.polygon_offset_fill, b.polygon_offset_fill);
    EXPECT_EQ(a.depth_mask, b.depth_mask);
    EXPECT_EQ(a.line_width, b.line_width);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(a.colour[i], b.colour[i]) << "colour " << i;
    EXPECT_EQ(a.matrix_mode, b.matrix_mode);
    EXPECT_EQ(a.shade_model, b.shade_model);
    EXPECT_EQ(a.blend_src, b.blend_src);
    EXPECT_EQ(a.blend_dst, b.blend_dst);
    EXPECT_EQ(a.bound_texture, b.bound_texture);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(a.modelview[i], b.modelview[i]) << "matrix " << i;
}

void expect_colour(const GlState& state, float r, float g, float b) {
    EXPECT_FLOAT_EQ(state.colour[0], r);
    EXPECT_FLOAT_EQ(state.colour[1], g);
    EXPECT_FLOAT_EQ(state.colour[2], b);
}

// --- frames -------------------------------------------------------------------

Image read_frame() {
    Image image;
    image.width = frame_width;
    image.height = frame_height;
    image.rgba.resize(size_t(frame_width) * frame_height * 4);
    gfx_offscreen_read_rgba(image.rgba.data());
    return image;
}

bool write_png(const std::string& path, const Image& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width);
    png.height = png_uint_32(image.height);
    png.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&png, path.c_str(), 0, image.rgba.data(), 0, nullptr) != 0;
}

bool read_png(const std::string& path, Image* image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_RGBA;
    image->width = int(png.width);
    image->height = int(png.height);
    image->rgba.resize(PNG_IMAGE_SIZE(png));
    return png_image_finish_read(&png, nullptr, image->rgba.data(), 0, nullptr) != 0;
}

std::string output_folder() {
    const std::string folder = ZK_GFX_TEST_OUTPUT;
    fs::create_directories(folder);
    return folder;
}

namespace {

Image half_size(const Image& full) {
    Image half;
    half.width = full.width / 2;
    half.height = full.height / 2;
    half.rgba.resize(size_t(half.width) * half.height * 4);
    for (int y = 0; y < half.height; ++y)
        for (int x = 0; x < half.width; ++x)
            for (int c = 0; c < 4; ++c) {
                const int sum = full.at(2 * x, 2 * y)[c] + full.at(2 * x + 1, 2 * y)[c] +
                                full.at(2 * x, 2 * y + 1)[c] + full.at(2 * x + 1, 2 * y + 1)[c];
                half.rgba[(size_t(y) * half.width + x) * 4 + c] = uint8_t((sum + 2) / 4);
            }
    return half;
}

}  // namespace

void expect_matches_reference(const std::string& name, const Image& frame) {
    const Image small = half_size(frame);
    const std::string reference_path = std::string(ZK_GFX_REFERENCE_DIR) + "/" + name + ".png";
    const char* update = std::getenv("ZK_GFX_UPDATE_REFERENCES");
    if (update && std::strcmp(update, "1") == 0) {
        ASSERT_TRUE(write_png(reference_path, small)) << "cannot write " << reference_path;
        return;
    }
    Image reference;
    const std::string frame_path = output_folder() + "/" + name + ".png";
    if (!read_png(reference_path, &reference)) {
        write_png(frame_path, small);
        FAIL() << "no reference " << reference_path << "; new frame written to " << frame_path;
    }
    ASSERT_EQ(reference.width, small.width);
    ASSERT_EQ(reference.height, small.height);

    // Most pixels within a few levels; a sliver of edge pixels may differ more.
    Image difference = small;
    size_t far_off = 0;
    double total = 0;
    const size_t pixels = size_t(small.width) * small.height;
    for (size_t i = 0; i < pixels; ++i) {
        int worst = 0;
        for (int c = 0; c < 3; ++c) {
            const int d = std::abs(int(small.rgba[i * 4 + c]) - int(reference.rgba[i * 4 + c]));
            worst = std::max(worst, d);
            total += d;
            difference.rgba[i * 4 + c] = uint8_t(std::min(255, d * 4));
        }
        difference.rgba[i * 4 + 3] = 255;
        if (worst > 24) ++far_off;
    }
    const double far_fraction = double(far_off) / double(pixels);
    const double mean = total / double(pixels * 3);
    if (far_fraction > 0.01 || mean > 2.0) {
        write_png(frame_path, small);
        write_png(output_folder() + "/" + name + "_diff.png", difference);
        ADD_FAILURE() << name << ": " << far_fraction * 100 << "% of pixels far off, mean "
                      << mean << " levels; see " << frame_path << " and its _diff.png";
    }
}

// --- fixtures -----------------------------------------------------------------

const uint8_t quadrant_colours[4][3] = {
    {220, 40, 40},   // top-left: red
    {40, 200, 60},   // top-right: green
    {40, 60, 220},   // bottom-left: blue
    {230, 220, 50},  // bottom-right: yellow
};

bool write_jpeg(const std::string& path, int width, int height, const uint8_t* pixels,
                JpegKind kind) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    jpeg_stdio_dest(&encoder, file);
    encoder.image_width = JDIMENSION(width);
    encoder.image_height = JDIMENSION(height);
    const int components = kind == JpegKind::rgb ? 3 : kind == JpegKind::grayscale ? 1 : 4;
    encoder.input_components = components;
    encoder.in_color_space =
        kind == JpegKind::rgb ? JCS_RGB : kind == JpegKind::grayscale ? JCS_GRAYSCALE : JCS_CMYK;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, 100, TRUE);
    for (int c = 0; c < encoder.num_components; ++c)
        encoder.comp_info[c].h_samp_factor = encoder.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&encoder, TRUE);
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW row =
            const_cast<uint8_t*>(pixels) + size_t(encoder.next_scanline) * width * components;
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    std::fclose(file);
    return true;
}

std::vector<uint8_t> fixture_picture(int index, int size) {
    std::vector<uint8_t> rgb(size_t(size) * size * 3);
    const int half = size / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            uint8_t* p = &rgb[(size_t(y) * size + x) * 3];
            const uint8_t* q = quadrant_colours[(y >= half ? 2 : 0) + (x >= half ? 1 : 0)];
            std::memcpy(p, q, 3);
            if (x % 16 >= 14 || y % 16 >= 14) p[0] = p[1] = p[2] = 20;
            if (std::abs(x - half) < size / 4 && std::abs(y - half) < size / 4)
                p[0] = p[1] = p[2] = uint8_t(10 + 20 * index);
        }
    return rgb;
}

std::vector<uint8_t> fixture_font(int size) {
    std::vector<uint8_t> rgb(size_t(size) * size * 3, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int column = x * 6 / size, row = y * 6 / size;
            const double cx = (x + 0.5) * 6.0 / size - column;  // 0..1 within the cell
            const double cy = (y + 0.5) * 6.0 / size - row;
            if (std::fabs(cx - 0.5) > 0.15 || cy < 0.15 || cy > 0.85) continue;
            uint8_t* p = &rgb[(size_t(y) * size + x) * 3];
            p[0] = uint8_t(100 + 25 * column);
            p[1] = uint8_t(100 + 25 * row);
            p[2] = cy < 0.5 ? 60 : 220;
        }
    return rgb;
}

FixtureData::FixtureData() {
    previous_ = fs::current_path().string();
    root_ = output_folder() + "/fixture-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(root_);
    fs::create_directories(root_ + "/data");
    for (int i = 0; i < 12; ++i) {
        const std::vector<uint8_t> picture = fixture_picture(i);
        write_jpeg(path(gfx_picture_files[i]), 128, 128, picture.data());
    }
    const std::vector<uint8_t> font = fixture_font();
    write_jpeg(path("data/fontsor2smuut.jpg"), 256, 256, font.data());
    fs::current_path(root_);
}

FixtureData::~FixtureData() {
    fs::current_path(previous_);
    fs::remove_all(root_);
}

std::string FixtureData::path(const std::string& name) const { return root_ + "/" + name; }

void FixtureData::remove(const std::string& name) const { fs::remove(path(name)); }

void FixtureData::replace(const std::string& name, int width, int height, const uint8_t* pixels,
                          JpegKind kind) const {
    write_jpeg(path(name), width, height, pixels, kind);
}
