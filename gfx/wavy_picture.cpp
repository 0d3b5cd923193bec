// A picture as a waving sheet behind the scenes: a 16 x 16 grid of quads
// whose columns wave in x and rows in y, larger than the view at its depth
// (4.5 x 3.5 against about 3.55 x 2.67) so that its edges never show.
#include "gfx/gfx.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr int grid_cells = 16;
constexpr double column_width = 0.28125;  // 4.5 / 16
constexpr double row_height = 0.21875;    // 3.5 / 16
constexpr double wave_size = 0.1;

void sheet_vertex(int r, int c, float A, float B) {
    const double swirl = wave_size * double(B);
    const double x = column_width * c + wave_size * std::sin(c + double(A)) +
                     swirl * std::sin(r + c + double(B));
    const double y = -row_height * r + wave_size * std::cos(r + double(A)) +
                     swirl * std::cos(r + c + double(B));
    // Texture t = 0 is the picture's top edge, and row 0 is the sheet's top.
    glTexCoord2f(float(c) / grid_cells, float(r) / grid_cells);
    glVertex3f(float(x), float(y), 0);
}

}  // namespace

void gfx_wavy_picture(float a, int picture, float b) {
    if (picture < 0 || picture >= 12) return;
    const float A = 3 * a;
    const float B = 5 * b;

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(-2.25f, 1.75f, -1);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gfx_picture_textures[picture]);
    // Tested against depth but leaving none, so it never hides what follows.
    glDepthMask(GL_FALSE);
    glColor3f(1, 1, 1);

    glBegin(GL_QUADS);
    for (int r = 0; r < grid_cells; ++r) {
        for (int c = 0; c < grid_cells; ++c) {
            sheet_vertex(r, c, A, B);
            sheet_vertex(r, c + 1, A, B);
            sheet_vertex(r + 1, c + 1, A, B);
            sheet_vertex(r + 1, c, A, B);
        }
    }
    glEnd();

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glPopMatrix();
    glColor3f(1, 1, 1);
}
