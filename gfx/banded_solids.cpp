// Banded solids: nested rings, the spiral band and the pinwheel. Each piece
// is a band between two edges, drawn in five passes:
//   0 top face (triangle strip, first edge then second edge at each step)
//   1 wall under the first edge, 2 wall under the second edge
//   3, 4 black outlines of the edges, depth test off, line width 2,
//        so they show through the whole figure
// Face culling is never used: both sides of every face show.
#include "gfx/gfx.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr double full_turn = 6.283184;

void begin_pass_strip(int pass) { glBegin(pass < 3 ? GL_TRIANGLE_STRIP : GL_LINE_STRIP); }

void vertex(double x, double y, double z) { glVertex3f(float(x), float(y), float(z)); }

// The points one step of a ring or the spiral sends in each pass, given its
// inner (first) edge point, its outer (second) one and the depths of its top
// and bottom; the walls rise from the bottom, and the outer outline comes first.
void emit_step(int pass, double x1, double y1, double x2, double y2, double top, double bottom) {
    switch (pass) {
        case 0: vertex(x1, y1, top); vertex(x2, y2, top); break;
        case 1: vertex(x1, y1, bottom); vertex(x1, y1, top); break;
        case 2: vertex(x2, y2, bottom); vertex(x2, y2, top); break;
        case 3: vertex(x2, y2, top); break;
        case 4: vertex(x1, y1, top); break;
    }
}

}  // namespace

// --- nested rings -------------------------------------------------------------

void gfx_nested_rings(float t) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(0, 0, -0.7f);
    glRotatef(float(20 * std::sin(double(t))), 0, 1, 0);
    glRotatef(float(std::cos(2 * double(t))), 1, 0, 0);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glRotatef(float(120 * std::sin(0.2 * double(t))), 0, 0, 1);
    const float T = 4 * t;

    for (int pass = 0; pass < 5; ++pass) {
        if (pass >= 3) {
            glDisable(GL_DEPTH_TEST);
            glLineWidth(2);
            glColor3f(0, 0, 0);
        }
        double R = 0;
        for (int n = 0; n <= 10; ++n) {
            if (pass == 0) glColor3f(float(0.1 * n), float(1 - 0.1 * n), 0);
            else if (pass < 3) glColor3f(float(1 - 0.1 * n), 0, 0.6f);
            // Each ring's centre orbits on a circle of 0.43, neighbours half a
            // radian apart; the outer circle sits 0.15 to the right.
            const double alpha = 0.5 * n + double(T);
            const double cx = 0.15 * n + 0.43 * std::cos(alpha) - 0.6;
            const double cy = 0.43 * std::sin(alpha) - 0.6;
            begin_pass_strip(pass);
            // 31 angles; the last is one full turn, so each strip closes.
            for (double theta = 0; theta <= 6.483184; theta += full_turn / 30) {
                const double s = std::sin(theta), c = std::cos(theta);
                emit_step(pass, cx + R * s, cy + R * c, cx + 0.15 + (R + 0.2) * s,
                          cy + (R + 0.2) * c, 0.2, -0.2);
            }
            glEnd();
            R += 0.44;
        }
    }

    glDisable(GL_DEPTH_TEST);
    glPopMatrix();
    glColor3f(1, 1, 1);
}

// --- spiral band --------------------------------------------------------------

void gfx_spiral_band(float t) {
    const double td = t;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(0, 0, -3);
    glEnable(GL_DEPTH_TEST);
    glRotatef(float(-240 * td), 0, 0, 1);
    glRotatef(float(10 * std::sin(2 * td)), 0, 1, 0);
    // The spiral's tightness breathes between 2 and 8.
    const double D = 3 * std::sin(1.1 * td) + 5;

    for (int pass = 0; pass < 5; ++pass) {
        if (pass >= 3) {
            glDisable(GL_DEPTH_TEST);
            glLineWidth(2);
        }
        begin_pass_strip(pass);
        for (double u = 0; u < 120; u += 0.7) {
            const double p = u / D, q = u / 30;
            if (pass == 0)
                glColor3f(float(0.5 * (std::sin(2 * td) + 1)), float(1 - 0.005 * u),
                          float(0.5 * (std::sin(2 * u - 10 * td) + 1)));
            else if (pass < 3)
                glColor3f(float(0.3 * (std::sin(2 * td) + 1)), float(0.5 - u / 300),
                          float(0.2 * (std::sin(2 * u - 10 * td) + 1)));
            else
                glColor3f(0, 0, 0);
            // The outer edge is 0.3 further out and 0.2 radians ahead.
            emit_step(pass, q * std::sin(p), q * std::cos(p), (q + 0.3) * std::sin(p + 0.2),
                      (q + 0.3) * std::cos(p + 0.2), 0, -0.6);
        }
        glEnd();
    }

    glDisable(GL_DEPTH_TEST);
    glPopMatrix();
}

// --- pinwheel -----------------------------------------------------------------

void gfx_pinwheel(float t, int blades, float width) {
    if (blades < 1) return;
    const double td = t;
    const float W = float(double(width) * full_turn / blades);

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(0, 0, -2);
    glLineWidth(2);
    glRotatef(float(20 * std::sin(td)), 0, 1, 0);
    glShadeModel(GL_SMOOTH);

    for (int pass = 0; pass < 5; ++pass) {
        // Stops 0.1 short of a full turn: n blades for every n up to 62.
        for (double o = 0; o < full_turn - 0.1; o += full_turn / blades) {
            if (pass < 3) {
                glEnable(GL_DEPTH_TEST);
                glBegin(GL_TRIANGLE_STRIP);
            } else {
                glColor3f(0, 0, 0);
                glDisable(GL_DEPTH_TEST);
                glBegin(GL_LINE_STRIP);
            }
            for (double u = 0; u < 4; u += 0.1) {
                // Two waves along the radius bend every blade alike.
                const double C = o + 0.2 * std::sin(2.1 * u - 0.5 * td) + std::sin(u + 2 * td);
                if (pass == 0)
                    glColor3f(float(0.4 * (std::sin(o + 5 * u - 5 * td) + 1)),
                              float(0.2 * std::sin(td + o) + 0.7),
                              float(0.5 * (std::sin(td + o) + 1)));
                else if (pass < 3)
                    glColor3f(float(0.5 * (std::sin(o + 5 * u + 5 * td) + 1)),
                              float(0.2 * std::sin(o - td) + 0.4),
                              float(0.2 * (std::sin(td + o) + 1)));
                const double x1 = u * std::sin(C), y1 = u * std::cos(C);
                const double x2 = u * std::sin(C + W), y2 = u * std::cos(C + W);
                // The blade's first wall goes top then bottom, unlike the
                // other solids; the outlines follow the first edge first.
                switch (pass) {
                    case 0: vertex(x1, y1, 0); vertex(x2, y2, 0); break;
                    case 1: vertex(x1, y1, 0); vertex(x1, y1, -0.5); break;
                    case 2: vertex(x2, y2, -0.5); vertex(x2, y2, 0); break;
                    case 3: vertex(x1, y1, 0); break;
                    case 4: vertex(x2, y2, 0); break;
                }
            }
            glEnd();
        }
    }

    glPopMatrix();
}
