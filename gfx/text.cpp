// Text drawn letter by letter from the font texture's 6 x 6 glyph grid:
//   a b c d e f / g h i j k l / m n o p q r / s t u v w x / y z 0 1 2 3 / 4 5 6 7 8 9
// Bytes other than digits and lower-case letters take n = c - 97 on purpose
// (a negative or out-of-grid cell shows whatever the wrapped texture holds);
// the production's texts use only letters, digits and spaces.
#include "gfx/gfx.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

namespace {

constexpr double cell_size = 0.16666666666666666;
// Every cell is sampled 1% of the texture lower than its grid place: the
// glyphs sit clear of their cells' top edges, and the bottom row wraps.
constexpr double cell_shift_down = 0.01;
constexpr double letter_advance = 0.4;

int glyph_cell(signed char c) {
    if (c >= '0' && c <= '9') return c - 22;
    return c - 97;
}

}  // namespace

void gfx_draw_glyph(char c) {
    const signed char byte = static_cast<signed char>(c);
    if (byte == ' ') return;
    const int n = glyph_cell(byte);
    const int column = n % 6;  // truncating, so negative cells stay negative
    const int row = n / 6;
    const float left = float(column * cell_size);
    const float right = float(double(left) + cell_size);
    const float top = float(row * cell_size + cell_shift_down);
    const float bottom = float(double(top) + cell_size);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, gfx_font_texture);

    glBegin(GL_QUADS);
    glTexCoord2f(left, bottom);
    glVertex3f(-0.5f, -0.5f, 0);
    glTexCoord2f(right, bottom);
    glVertex3f(0.5f, -0.5f, 0);
    glTexCoord2f(right, top);
    glVertex3f(0.5f, 0.5f, 0);
    glTexCoord2f(left, top);
    glVertex3f(-0.5f, 0.5f, 0);
    glEnd();

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}

void gfx_draw_text(const char* text, float t) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    const size_t length = text ? std::strlen(text) : 0;
    // Centres the line: letter i lands at 0.4 i - 0.2 (length - 1).
    glTranslatef(float((1.0 - double(length)) * 0.2), 0, 0);
    for (size_t i = 0; i < length; ++i) {
        glPushMatrix();
        glRotatef(float(5.0 * std::sin(2.0 * double(t) + 10.0 * double(i))), 0, 0, 1);
        gfx_draw_glyph(text[i]);
        glPopMatrix();
        glTranslatef(float(letter_advance), 0, 0);
    }
    glPopMatrix();
}
