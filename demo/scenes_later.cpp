// Scenes 5 to 7 (song positions 600 and above): the phrases, the greetings
// and the finale with the closing credits.
//
// As in the opening scenes, "base" transformations stay on the model-view
// matrix for the rest of the frame, and pulse calls are made one at a time in
// the order written.
#include <GL/gl.h>

#include <cmath>

#include "demo/demo.h"
#include "gfx/gfx.h"
#include "player/player.h"

namespace {

// Rows 16-31 and 48-63 of an order turn one way, the others the other way.
double turn_with_rows(uint32_t position, float t) {
    return (position % 100) & 16 ? double(t) : -double(t);
}

}  // namespace

// Scene 5: the giraffe under a flat pinwheel, nested rings swinging in from
// the far right and turning every 16 rows (star rings jumping with sample 19
// in order 8), and two phrases scrolling leftwards at different speeds.
void demo_scene_phrases(DemoState& state) {
    const float t = state.demo_time;
    const float d = t - state.scene_mark_b;
    const uint32_t p = pt_position();
    const bool order_8 = p / 100 == 8;

    gfx_wavy_picture(t, 2, 0.0f);

    glPushMatrix();
    gfx_pinwheel(t, 10, 0.2f);
    glClear(GL_DEPTH_BUFFER_BIT);  // the pinwheel lies flat under everything after it
    glPopMatrix();

    glPushMatrix();
    glTranslatef(float(50.0 * std::cos(0.5 * d) / (double(d) * d + 1.0)), 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -2.0f);
    if (!order_8) {
        glPushMatrix();
        gfx_nested_rings(float(1.2 * turn_with_rows(p, t)));
        glPopMatrix();
    }
    glPopMatrix();

    if (order_8) {
        glClear(GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, float(6.0 * demo_pulse(19, t)));
        gfx_star_rings(-t, 3, 1);
        glPopMatrix();
    }

    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glTranslatef(20.0f - 1.8f * d, -1.0f, -4.0f);
    gfx_draw_text("naomba chakula moto haraka", t);
    glPopMatrix();
    glTranslatef(45.0f - 2.2f * d, -1.0f, -4.0f);  // base
    gfx_draw_text("siwezi kusema kiswahili", t);
    glEnable(GL_DEPTH_TEST);

    state.scene_mark_a = t;
}

int demo_greeting_index(uint32_t position) {
    const uint32_t i = (position - 900u) / 26u;
    return i > 16u ? 16 : int(i);
}

// Scene 6: the festive backdrop pushed in depth by sample 19, a tumbling
// ball, "hakuna matata" in the upper left and one greeting at a time.
void demo_scene_greetings(DemoState& state) {
    const float t = state.demo_time;

    glTranslatef(0.0f, 0.0f, float(demo_pulse(19, t) * (1.0 / 15.0)));  // base
    gfx_wavy_picture(t, 11, 0.0f);
    const int i = demo_greeting_index(pt_position());

    glPushMatrix();
    glTranslatef(0.7f, -0.5f, 0.0f);
    gfx_textured_ball(t);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-0.9f, 1.8f, -4.0f);
    glScalef(0.8f, 0.8f, 0.8f);
    gfx_draw_text("hakuna matata", t);
    glPopMatrix();

    glTranslatef(2.0f * demo_greeting_x[i], demo_greeting_y[i], -4.0f);  // base
    glScalef(0.9f, 0.9f, 0.9f);                                          // base
    gfx_draw_text(demo_greetings[i], t);

    state.scene_mark_a = t;
}

int demo_grid_size(uint32_t position) {
    if (position < 1300) return 0;
    if (position < 1400) return int(position % 100) / 16 + 1;
    return 7;
}

int demo_closing_wipe(DemoState& state, double pulse_18) {
    if (pulse_18 > 0.5) state.end_scene_on = 1;
    return state.end_scene_on;
}

// Scene 7: the elephant, a rocking spiral band, a bouncing star grid that
// grows with the song and a phrase scrolling rightwards; from position 1500
// star rings jumping with sample 18 and the credits, until the first strong
// sample-18 pulse wipes everything else away for good.
void demo_scene_finale(DemoState& state) {
    const float t = state.demo_time;
    const float d = t - state.scene_mark_a;
    const uint32_t p = pt_position();

    gfx_wavy_picture(t, 4, 0.0f);

    glPushMatrix();
    const double s = std::sin(double(t));
    glRotatef(float(5.0 * s), 0.0f, 1.0f, 0.1f);
    gfx_spiral_band(float(turn_with_rows(p, t)));
    glPopMatrix();

    if (!state.end_scene_on) {
        const int grid_size = demo_grid_size(p);
        glPushMatrix();
        // A parabola between y = -4 and 4 every 0.8 s, drifting in depth with sin t.
        const double u = std::fmod(5.0 * t, 4.0);
        glTranslatef(0.0f, float(4.0 - 2.0 * (u - 2.0) * (u - 2.0)), float(10.0 * s - 10.0));
        gfx_star_grid(t, grid_size, 1);
        glPopMatrix();
    }

    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glTranslatef(1.8f * d - 30.0f, -1.0f, -4.0f);
    gfx_draw_text("nipatie kinywaji baridi tafadhali", t);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);

    if (p >= 1500) {
        if (demo_closing_wipe(state, demo_pulse(18, t)))
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        else
            glClear(GL_DEPTH_BUFFER_BIT);

        glPushMatrix();
        glTranslatef(0.0f, 0.0f, float(220.0 * demo_pulse(18, t) - 200.0));
        gfx_star_rings(3.0f * d, 3, state.end_scene_on);
        glPopMatrix();

        // The credits stand on a chain of base transformations, each adding
        // to the ones before.
        glTranslatef(0.4f, 1.1f, -4.0f);
        glRotatef(10.0f, 0.0f, 0.0f, 1.0f);
        gfx_draw_text(demo_credits[0], t);
        glTranslatef(1.0f, -1.2f, 0.0f);
        glRotatef(-25.0f, 0.0f, 0.0f, 1.0f);
        gfx_draw_text(demo_credits[1], t);
        glTranslatef(-3.0f, -0.9f, 0.0f);
        glRotatef(3.0f, 0.0f, 0.0f, 1.0f);
        gfx_draw_text(demo_credits[2], t);
        glRotatef(-20.0f, 0.0f, 0.0f, 1.0f);
        glTranslatef(2.0f, -0.6f, 0.0f);
        gfx_draw_text(demo_credits[3], t);
    }
}
