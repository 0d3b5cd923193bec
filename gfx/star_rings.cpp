// Star rings and the star grid: five-pointed star bands inside one another,
// far in front of the viewer, drawn with the five passes of the banded
// solids (top face at z = 6, walls down to z = 0, two black outlines that
// show through).
#include "gfx/gfx.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr double tenth_turn = 0.6283184;
constexpr double inverse_pi = 0.3183099524062959;
constexpr double top_z = 6;
constexpr double bottom_z = 0;

void vertex(double x, double y, double z) { glVertex3f(float(x), float(y), float(z)); }

void star_ring(int pass, double R, double t) {
    glBegin(pass < 3 ? GL_TRIANGLE_STRIP : GL_LINE_STRIP);
    // Angles from 36 to 396 degrees, measured from +y towards +x: odd steps
    // are the tips (one straight up), even ones the notches, and the strip
    // ends where it began.
    int m = 0;
    for (double theta = tenth_turn; theta <= 7.068582; theta += tenth_turn, ++m) {
        const bool tip = (m & 1) != 0;
        const double ri = tip ? R : 0.5 * R;
        const double ro = ri + (tip ? 0.5 * R + 2 : 0.25 * R + 1);
        if (pass == 0)
            glColor3f(float(0.3 * (std::sin(R) + 1)), float(0.5 * (std::sin(t) + 1)),
                      float(std::sin(t + theta) + 0.7));
        else if (pass < 3)
            glColor3f(0.6f, float(0.2 * (std::sin(theta * inverse_pi) + 1)),
                      float(1 - std::sin(t + theta * inverse_pi)));
        const double s = std::sin(theta), c = std::cos(theta);
        const double xi = ri * s, yi = ri * c, xo = ro * s, yo = ro * c;
        switch (pass) {
            case 0: vertex(xi, yi, top_z); vertex(xo, yo, top_z); break;
            case 1: vertex(xi, yi, bottom_z); vertex(xi, yi, top_z); break;
            case 2: vertex(xo, yo, bottom_z); vertex(xo, yo, top_z); break;
            case 3: vertex(xo, yo, top_z); break;
            case 4: vertex(xi, yi, top_z); break;
        }
    }
    glEnd();
}

}  // namespace

void gfx_star_rings(float t, int rings, int swing) {
    const double td = t;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glTranslatef(0, 0, -26);
    if (swing) {
        glRotatef(float(80 * td), 0, 0, 1);
        glRotatef(float(10 * std::sin(2 * td)), 0, 1, 0);
    }

    for (int pass = 0; pass < 5; ++pass) {
        if (pass >= 3) {
            glDisable(GL_DEPTH_TEST);
            glLineWidth(2);
            glColor3f(0, 0, 0);
        }
        // Base radii 0.7, 5.05, 11.575, 21.3625, ...
        double R = 0.7;
        for (int k = 1; k <= rings; ++k) {
            glPushMatrix();
            if (swing) glRotatef(float(17 * std::sin(k - 5 * td)), 0, 1, 0);
            star_ring(pass, R, td);
            glPopMatrix();
            R = 1.5 * R + 4;
        }
    }

    glDisable(GL_DEPTH_TEST);
    glPopMatrix();
    glColor3f(1, 1, 1);
}

void gfx_star_grid(float t, int count, int rings) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    // Cells 7 wide and 6 high, rows running upwards, centred on the origin.
    glTranslatef(float(3.5 - 3.5 * count), float(3.0 - 3.0 * count), 0);
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < count; ++j) {
            glPushMatrix();
            // The phase steps diagonally, so the swing runs across the grid.
            gfx_star_rings(float(double(t) + 0.1 * (i + j)), rings, 1);
            glPopMatrix();
            glTranslatef(7, 0, 0);
        }
        glTranslatef(float(-7.0 * count), 6, 0);
    }
    glPopMatrix();
}
