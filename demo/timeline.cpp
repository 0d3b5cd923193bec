// The timeline: which scene draws at which song position.
//
// Every window test reads the position afresh, so a frame drawn while the row
// changes may see two neighbouring scenes; the windows never overlap, so it
// never sees the same scene twice.
#include "demo/demo.h"
#include "player/player.h"

namespace {

struct SceneWindow {
    uint32_t first, last;  // song positions, inclusive
    void (*draw)(DemoState&);
};

constexpr SceneWindow scene_windows[] = {
    // first   last          scene                    order
    {     0,     99,         demo_scene_crew      },  //  0
    {   100,    199,         demo_scene_title     },  //  1
    {   200,    299,         demo_scene_lesson    },  //  2
    {   300,    599,         demo_scene_animals   },  //  3-5
    {   600,    899,         demo_scene_phrases   },  //  6-8
    {   900,   1199,         demo_scene_greetings },  //  9-11
    {  1200,   0xFFFFFFFFu,  demo_scene_finale    },  // 12-
};
constexpr int scene_count = sizeof(scene_windows) / sizeof(scene_windows[0]);
static_assert(scene_count == 7, "seven scenes");

}  // namespace

void demo_timeline(DemoState& state) {
    for (const SceneWindow& window : scene_windows) {
        const uint32_t p = pt_position();
        if (p >= window.first && p <= window.last) window.draw(state);
    }
}

int demo_scene_at(uint32_t position) {
    for (int i = 0; i < scene_count; ++i)
        if (position >= scene_windows[i].first && position <= scene_windows[i].last) return i + 1;
    return scene_count;  // unreachable: the windows cover every position
}
