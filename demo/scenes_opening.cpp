// Scenes 1 to 4 (song positions 0..599): the makers' line, the title, the
// lesson line and the nine animals kicked by the drum.
//
// Transformations marked "base" are deliberately left on the model-view
// matrix for the rest of the frame: everything drawn after them in the same
// frame, by this scene or the next, sits under them. The frame resets the
// matrix. Each pulse call is a step of the pulse's state, so the calls are
// made one at a time, in the order written.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "demo/demo.h"
#include "gfx/gfx.h"
#include "player/player.h"

// Scene 1: the makers' line and "presente" swing in from opposite sides and
// settle; from position 61 both fly towards the viewer.
void demo_scene_crew(DemoState& state) {
    const float t = state.demo_time;
    const uint32_t p = pt_position();
    const double swing = 6.0 * std::cos(2.0 * t) / (double(t) * t + 1.0);

    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -3.5f);
    if (p > 60) {
        // scene_mark_b still 0.0 means the zoom has not started yet.
        if (state.scene_mark_b == 0.0f)
            state.scene_mark_b = t;
        else
            glTranslatef(0.0f, 0.0f, 20.0f * (t - state.scene_mark_b));
    }
    glPushMatrix();
    glTranslatef(float(swing), 0.5f, 0.0f);
    gfx_draw_text("the borlap crew", t);
    glPopMatrix();
    glTranslatef(float(-swing), -0.5f, 0.0f);
    gfx_draw_text("presente", t);
    glPopMatrix();

    state.scene_mark_a = t;
}

// Scene 2: the title picture bounces in, the title lines swing in, and a
// black iris closes in from outside over 8.25 seconds.
void demo_scene_title(DemoState& state) {
    const float t = state.demo_time;
    const double d = double(t - state.scene_mark_a);

    glTranslatef(0.0f, float(2.0 * std::cos(10.0 * d) / (std::pow(d, 5.0) + 1.0)), 0.0f);  // base
    gfx_wavy_picture(t, 9, 0.0f);

    const double swing = 6.0 * std::cos(2.0 * d) / (d * d + 1.0);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -3.0f);
    glPushMatrix();
    glTranslatef(float(swing), 0.5f, 0.0f);
    gfx_draw_text("zorvandu", t);
    glPopMatrix();
    glTranslatef(float(-swing), -0.5f, 0.0f);
    gfx_draw_text("kelemba", t);
    glPopMatrix();

    glTranslatef(-0.4f, 0.4f, 0.0f);  // base
    gfx_iris_mask(float(std::max(16.5 - 2.0 * d, 0.0)));

    state.scene_mark_b = t;
}

// Scene 3: the tree shaken by both pulses, two breathing triangle swarms (the
// second blended over the picture), the lesson line sliding in along a
// tilted path, and the iris opening again.
void demo_scene_lesson(DemoState& state) {
    const float t = state.demo_time;
    const float d = t - state.scene_mark_b;

    const double p19 = demo_pulse(19, t);
    const double p18 = demo_pulse(18, t);
    glTranslatef(float(p18 + p19), 0.0f, 0.0f);  // base
    gfx_wavy_picture(t, 10, 0.0f);
    glTranslatef(-0.8f, 0.8f, 0.0f);  // base

    const double a = double(0.3f) * std::sin(8.0 * t);
    const double b = double(0.3f) * std::cos(9.0 * t);
    const float a2 = float(a + 2.0), b2 = float(b + 2.0);
    const float a1 = float(a + 1.0), b1 = float(b + 1.0);

    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -5.0f);
    glScalef(a2, b2, a2 * b2);
    gfx_triangle_swarm(t, 1.0f);
    glPopMatrix();

    glPushMatrix();
    glScalef(a1, b1, a1 * b1);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    gfx_triangle_swarm(t, 1.0f);
    glDisable(GL_BLEND);
    glPopMatrix();

    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glRotatef(23.0f, 0.0f, 0.0f, 1.0f);
    glTranslatef(17.0f - 3.5f * d, -2.3f, -4.0f);
    gfx_draw_text("2 days hard work   let us speak swahili", t);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);

    glScalef(a1, b1, a1 * b1);  // base
    gfx_iris_mask(2.0f * d);

    state.scene_mark_a = t;
}

void demo_kick(DemoState& state, int32_t trigger_age_18, float t) {
    if (trigger_age_18 < 4 && state.kick_level > 0.5f) state.kick_time = t;
    const float since = t - state.kick_time;
    // Right after a trigger the interval is 0: that counts as above the cap.
    state.kick_level = since > 0.0f ? std::min(20.0f / since, 4.0f) : 4.0f;
}

// Scene 4: each animal in front of the previous one, kicked sideways by
// sample 18, a pulsing swarm in one corner and its name in another.
void demo_scene_animals(DemoState& state) {
    const float t = state.demo_time;
    const DemoAnimalWindow& window = demo_animal_window(pt_position());

    demo_kick(state, pt_trigger_age[18].load(std::memory_order_relaxed), t);

    glPushMatrix();
    glTranslatef(0.0f, -0.15f, 0.0f);
    gfx_wavy_picture(t, window.back_picture, 0.0f);
    const double kick = 3.0 * demo_pulse(18, t) - (4.0 - state.kick_level);
    glTranslatef(float(kick), 0.0f, -0.01f);
    glScalef(0.9f, 0.9f, 0.9f);
    gfx_wavy_picture(t, window.animal, 0.0f);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(window.figure_x, window.figure_y, 0.0f);
    const double sx = demo_pulse(18, t) + 0.3;
    const double sy = demo_pulse(18, t) + 0.3;
    const double sz = demo_pulse(18, t) + 0.3;
    glScalef(float(sx), float(sy), float(sz));
    // The swarm swells from twice its size to normal over the scene's first second.
    const float g = std::max(2.0f - std::min(t - state.scene_mark_a, 1.0f), 1.0f);
    gfx_triangle_swarm(t, float(demo_pulse(18, t) + g));
    glPopMatrix();

    glPushMatrix();
    glScalef(0.5f, 0.5f, 0.5f);
    glTranslatef(0.0f, 0.0f, -1.0f);
    glTranslatef(window.word_x, window.word_y, 0.0f);
    gfx_draw_text(demo_animal_words[window.animal], t);
    glPopMatrix();

    state.scene_mark_b = t;
}
