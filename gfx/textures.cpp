// The thirteen textures of the production: twelve pictures and the font.
// Made once at start-up, never replaced or deleted. A file that is missing
// or unusable stops the loading with a one-line reason in gfx_error(), so
// the start-up can close SDL and report it instead of showing garbage.
#include "gfx/gfx.h"
#include "gfx/error.h"

#include <GL/gl.h>

#include <cstdlib>

const char* const gfx_picture_files[12] = {
    "data/lionzor.jpg",     //  0 lion
    "data/jagzor.jpg",      //  1 jaguar
    "data/girazor.jpg",     //  2 giraffe
    "data/bufzor.jpg",      //  3 buffalo
    "data/elezor.jpg",      //  4 elephant, also the ball's cover
    "data/flamzor.jpg",     //  5 flamingo
    "data/monkzor.jpg",     //  6 monkey
    "data/croczor.jpg",     //  7 crocodile
    "data/zebrzor2.jpg",    //  8 zebra
    "data/zorke.jpg",       //  9 title picture
    "data/puu_small.jpg",   // 10 the great tree
    "data/oho_small.jpg",   // 11 greetings backdrop
};

uint32_t gfx_picture_textures[12];
uint32_t gfx_font_texture;

namespace {

const char* const font_file = "data/fontsor2smuut.jpg";

bool power_of_two(int n) { return n > 0 && (n & (n - 1)) == 0; }

// OpenGL 1.1 textures need power-of-two sides, and the pictures are uploaded
// as they are, unscaled.
bool usable_size(const char* path, int width, int height) {
    if (!power_of_two(width) || !power_of_two(height)) {
        gfx_set_error("%s: not a power-of-two size (%dx%d)", path, width, height);
        return false;
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (largest > 0 && (width > largest || height > largest)) {
        gfx_set_error("%s: %dx%d is larger than the largest texture (%d)", path, width,
                      height, int(largest));
        return false;
    }
    return true;
}

void set_repeat_and_linear() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

}  // namespace

uint8_t gfx_font_alpha(int rgb_sum) {
    if (rgb_sum <= 0) return 0;
    if (rgb_sum > 180) return 240;
    return uint8_t(rgb_sum * rgb_sum * rgb_sum / 24300);
}

int gfx_load_pictures() {
    glGenTextures(12, gfx_picture_textures);
    for (int i = 0; i < 12; ++i) {
        glBindTexture(GL_TEXTURE_2D, gfx_picture_textures[i]);
        int width = 0, height = 0;
        uint8_t* rgb = gfx_load_jpeg(gfx_picture_files[i], &width, &height);
        if (!rgb) return 0;
        if (!usable_size(gfx_picture_files[i], width, height)) {
            std::free(rgb);
            return 0;
        }
        set_repeat_and_linear();
        // Rows go up top row first, so texture t = 0 is the picture's top
        // edge; the default unpack alignment of 4 holds for power-of-two widths.
        glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        std::free(rgb);
    }
    return 1;
}

int gfx_load_font() {
    glGenTextures(1, &gfx_font_texture);
    glBindTexture(GL_TEXTURE_2D, gfx_font_texture);
    int width = 0, height = 0;
    uint8_t* rgb = gfx_load_jpeg(font_file, &width, &height);
    if (!rgb) return 0;
    if (!usable_size(font_file, width, height)) {
        std::free(rgb);
        return 0;
    }
    const size_t pixels = size_t(width) * size_t(height);
    uint8_t* rgba = static_cast<uint8_t*>(std::malloc(pixels * 4));
    if (!rgba) {
        std::free(rgb);
        gfx_set_error("%s: out of memory for %dx%d pixels", font_file, width, height);
        return 0;
    }
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t r = rgb[3 * i], g = rgb[3 * i + 1], b = rgb[3 * i + 2];
        rgba[4 * i + 0] = r;
        rgba[4 * i + 1] = g;
        rgba[4 * i + 2] = b;
        rgba[4 * i + 3] = gfx_font_alpha(r + g + b);
    }
    set_repeat_and_linear();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    std::free(rgb);
    std::free(rgba);
    return 1;
}
