// The iris: a black ring from radius r out to r + 5 around the current
// origin, which under the frame's base matrix covers everything outside the
// disc of radius r. It draws with whatever state the caller left on.
#include "gfx/gfx.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// One turn plus 0.2, so that the last pair of vertices overlaps the first
// and the strip closes without a crack.
constexpr double angle_limit = 6.483184;
constexpr double angle_step = 0.1;

void ring_pair(float r, float R, float phi) {
    const double s = std::sin(double(phi)), c = std::cos(double(phi));
    glVertex3f(float(r * s), float(r * c), 0);
    glVertex3f(float(R * s), float(R * c), 0);
}

}  // namespace

void gfx_iris_mask(float r) {
    if (!(r >= 0)) r = 0;  // also catches NaN
    const float R = r + 5;

    glPushMatrix();
    glColor3f(0, 0, 0);
    glBegin(GL_TRIANGLE_STRIP);
    // The angle is kept in single precision and stepped by the double 0.1:
    // 65 angles from 0 to 6.4.
    float phi = 0;
    for (;;) {
        ring_pair(r, R, phi);
        const double next = double(phi) + angle_step;
        if (!(next < angle_limit)) break;
        phi = float(next);
    }
    glEnd();
    glColor3f(1, 1, 1);
    glPopMatrix();
}
