// The tumbling outlined objects: the triangle swarm and the textured ball.
// Both turn by the same three phase-driven rotations and push their filled
// surfaces back with a polygon offset, so that the outlines drawn afterwards
// at the same depth win the depth test.
#include "gfx/gfx.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr int swarm_triangles = 128;
constexpr double sixteenth_pi = 0.1963495;
constexpr double half_pi = 1.570796;
constexpr int ball_steps = 16;

void tumble(float t) {
    glRotatef(35 * t, 0, 1, 0);
    glRotatef(25 * t, 0, 0, 1);
    glRotatef(55 * t, 1, 0, 0);
}

void push_fill_back() {
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1, 1);
}

struct Point {
    float x, y, z;
};

void vertex(const Point& p) { glVertex3f(p.x, p.y, p.z); }

// A swarm corner: the three curves at angles 5s, 7s and 3s, each moved on
// by the same shift (0.3 for the triangle's far corner).
Point swarm_point(float rho, double s, double shift) {
    return {float(rho * std::sin(5 * s + shift)), float(rho * std::cos(7 * s + shift)),
            float(rho * std::cos(3 * s + shift) * std::sin(3 * s + shift))};
}

// Point k (0..16, steps of pi/8 once about the full circle) of a band's
// edge ring.
void edge_vertex(int k, double radius, double height, double tex_t) {
    const double theta = 2 * k * sixteenth_pi;
    glTexCoord2f(float(k) / ball_steps, float(tex_t));
    glVertex3f(float(radius * std::cos(theta)), float(height), float(radius * std::sin(theta)));
}

void edge_ring(double radius, double height, double tex_t) {
    glBegin(GL_LINE_STRIP);
    for (int k = 0; k <= ball_steps; ++k) edge_vertex(k, radius, height, tex_t);
    glEnd();
}

}  // namespace

void gfx_triangle_swarm(float t, float k) {
    const float p = t * 0.002f + 100.0f;

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glTranslatef(0, 0, -2);
    tumble(t);
    glLineWidth(3);

    // The offset applies to filled polygons only, so the outlines drawn in
    // between are untouched by it: switching it once around the whole swarm
    // draws the same as switching it per triangle, and spares the software
    // renderer 256 state changes a frame (60 ms down to 4 ms on llvmpipe).
    push_fill_back();
    for (int j = 0; j < swarm_triangles; ++j) {
        const float g = float(j) * 0.0078125f;
        const float rho = float(double(g) * 1.4);
        const double s = double(j + 1) * double(p);
        const Point p1 = swarm_point(rho, s, 0);
        const Point p2 = swarm_point(rho, s, 0.3);
        const Point p0 = {0.4f * p1.x, 0.4f * p1.y, 0.4f * p1.z};

        glColor3f(k, k * g, 0.2f * k);
        glBegin(GL_TRIANGLES);
        vertex(p0);
        vertex(p1);
        vertex(p2);
        glEnd();

        glColor3f(0.5f * k, 0.5f * k * g, 0.2f * k);
        glBegin(GL_LINE_STRIP);
        vertex(p0);
        vertex(p1);
        vertex(p2);
        vertex(p0);
        glEnd();
    }
    glDisable(GL_POLYGON_OFFSET_FILL);

    glLineWidth(1);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glPopMatrix();
    glColor3f(1, 1, 1);
}

void gfx_ball_bands(float t) {
    glLineWidth(2);
    // The upper and lower edge radii breathe one radian apart, so the bands
    // are separate lamp shades with steps between them.
    const double A = std::sin(double(t));
    const double B = std::sin(double(t) + 1);

    for (int j = 0; j < ball_steps; j += 2) {
        const double lower_latitude = j * sixteenth_pi - half_pi;
        const double upper_latitude = (j + 2) * sixteenth_pi - half_pi;
        const double upper_y = std::sin(upper_latitude), upper_radius = A * std::cos(upper_latitude);
        const double lower_y = std::sin(lower_latitude), lower_radius = B * std::cos(lower_latitude);
        const double upper_t = (j + 2) / 16.0, lower_t = j / 16.0;

        glColor3f(1, 1, 1);
        push_fill_back();
        glBegin(GL_QUAD_STRIP);
        for (int k = 0; k <= ball_steps; ++k) {
            edge_vertex(k, upper_radius, upper_y, upper_t);
            edge_vertex(k, lower_radius, lower_y, lower_t);
        }
        glEnd();

        // Texturing stays on; black modulates it to black.
        glColor3f(0, 0, 0);
        edge_ring(upper_radius, upper_y, upper_t);
        edge_ring(lower_radius, lower_y, lower_t);
        glDisable(GL_POLYGON_OFFSET_FILL);
    }

    glLineWidth(1);
    glColor3f(1, 1, 1);
}

void gfx_textured_ball(float t) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(0, 0, -1);
    tumble(t);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gfx_picture_textures[4]);
    glColor3f(1, 1, 1);

    gfx_ball_bands(t);

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glPopMatrix();
    glColor3f(1, 1, 1);
}
