// Headless test kit for the graphics layer: a 640 x 480 EGL context with the
// frame loop's camera, captured geometry (GL feedback mode), a snapshot of
// the OpenGL state the drawing functions leave, PNG frames compared with
// reference images, and fixture JPEGs written at test time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

constexpr int frame_width = 640;
constexpr int frame_height = 480;

// --- context and camera -------------------------------------------------------
// Every GL test derives from this: the context opens once per process, and
// each test starts from OpenGL's default state.
class GlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
};
void reset_state();

// glClear, then the frame loop's projection and base model-view matrix.
void begin_frame(float red = 0, float green = 0, float blue = 0);
// An orthographic camera over [-extent, extent] in x and y (z ignored), with
// an identity model-view, for reading object coordinates back exactly.
void begin_ortho_probe(double extent);
double probe_x(float window_x, double extent);
double probe_y(float window_y, double extent);

// --- captured geometry --------------------------------------------------------
struct FbVertex {
    float x, y, z;        // window coordinates (y up, as GL gives them)
    float r, g, b, a;     // colour
    float s, t;           // texture coordinate
};
struct FbPrimitive {
    enum Kind { point, line, polygon } kind;
    std::vector<FbVertex> vertices;  // quads arrive as two triangles
};
// Runs draw in feedback mode and returns what reached the rasteriser.
std::vector<FbPrimitive> capture(const std::function<void()>& draw);
size_t count_kind(const std::vector<FbPrimitive>& primitives, FbPrimitive::Kind kind);
// The line segments among captured primitives, in drawing order.
std::vector<FbPrimitive> lines_of(const std::vector<FbPrimitive>& primitives);

// --- state left behind --------------------------------------------------------
struct GlState {
    bool depth_test, blend, texture_2d, cull_face, polygon_offset_fill, depth_mask;
    float line_width;
    float colour[4];
    int matrix_mode, shade_model, blend_src, blend_dst, bound_texture;
    float modelview[16];
};
GlState snapshot();
// Switches on everything the drawing functions might forget to switch off.
void dirty_state();
void expect_same_state(const GlState& before, const GlState& after);
void expect_colour(const GlState& state, float r, float g, float b);

// --- frames -------------------------------------------------------------------
struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;  // top row first
    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
};
Image read_frame();
bool write_png(const std::string& path, const Image& image);
bool read_png(const std::string& path, Image* image);
// Compares a frame (downsampled 2 x 2, to forgive rasteriser details) with
// tests/gfx/reference/<name>.png. On a mismatch the new frame and a difference
// image are written to the test output folder for a person to look at. With
// ZK_GFX_UPDATE_REFERENCES=1 in the environment the reference is rewritten.
void expect_matches_reference(const std::string& name, const Image& frame);
std::string output_folder();

// --- fixtures -----------------------------------------------------------------
enum class JpegKind { rgb, grayscale, cmyk };
// Encodes width x height pixels (3, 1 or 4 bytes each) at quality 100 with no
// chroma subsampling, so that flat areas come back within a few levels.
bool write_jpeg(const std::string& path, int width, int height, const uint8_t* pixels,
                JpegKind kind = JpegKind::rgb);
// The fixture picture i (128 x 128): quadrants red, green (top), blue,
// yellow (bottom), dark grid lines every 16 pixels, a central square of gray
// 10 + 20 i.
std::vector<uint8_t> fixture_picture(int index, int size = 128);
extern const uint8_t quadrant_colours[4][3];  // top-left, top-right, bottom-left, bottom-right
// The fixture font (256 x 256): each cell a centred bar on black, red
// 100 + 25 column, green 100 + 25 row, blue 60 in the upper half, 220 in
// the lower half.
std::vector<uint8_t> fixture_font(int size = 256);

// A private working directory holding data/ with the twelve fixture pictures
// and the font; made current for the object's life.
class FixtureData {
public:
    FixtureData();
    ~FixtureData();
    std::string path(const std::string& name) const;  // "data/x.jpg" -> full path
    void remove(const std::string& name) const;
    void replace(const std::string& name, int width, int height, const uint8_t* pixels,
                 JpegKind kind = JpegKind::rgb) const;
private:
    std::string root_, previous_;
};
