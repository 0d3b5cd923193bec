// The demo driver: the frame body, the timeline of seven scenes chosen by the
// song position, the beat pulses, and the production's start-up and end.
//
// Everything here runs on the main thread. The frame body (demo_frame), the
// timeline, the scenes, the pulses and the pure helpers below are free of SDL:
// the SDL frame loop (demo_main) calls demo_frame with SDL's millisecond
// clock, and the video-export tool calls the same function with a clock of
// its own on a headless GL context. They read the song position and the
// trigger ages from the player, which the audio thread (or the tool) advances.
#pragma once

#include <cstdint>

// The per-run state the scenes share; one instance for the whole run.
struct DemoState {
    uint32_t time_origin;  // clock reading (ms) at which the song reached its first row
    float demo_time;       // seconds since time_origin, set by demo_frame
    int quit;              // 1 ends the frame loop after the current frame
    float scene_mark_a;    // scene clocks: written by alternate scenes at the end of
    float scene_mark_b;    //   each frame they draw, read by the scene after them
    float kick_level;      // scene 4's sideways kick of the front picture
    float kick_time;       //   and the demo time of its last accepted trigger
    int end_scene_on;      // scene 7: 1 once the closing wipe has happened, never cleared
};

// The initial values of every field (time_origin 0).
void demo_state_init(DemoState& state);

// --- the frame ----------------------------------------------------------------

// One frame's body: demo time from `clock_ms` (the same millisecond clock the
// time origin was taken on; wrap-around safe), clear, camera and base
// model-view matrix, the timeline, then the end-of-frame step. Does not swap
// buffers or read events. Needs a current GL context and a loaded song.
void demo_frame(DemoState& state, uint32_t clock_ms);
// The same frame body at a demo time given directly in seconds: for the
// video export, whose frame times k / fps are finer than a millisecond.
void demo_frame_at(DemoState& state, float demo_time);

// Seconds between two readings of a millisecond clock, as the frames see them.
float demo_seconds_since(uint32_t origin_ms, uint32_t clock_ms);

// The end-of-frame step: quit at song position 1550 or later, then one pulse
// call for sample 18 and one for sample 19 so the pulses follow the music even
// where no scene reads them.
void demo_end_of_frame(DemoState& state);

// 1 when the song has reached the end of the production (position >= 1550).
int demo_song_ended(uint32_t position);

// Busy-waits, without sleeping, until `position()` no longer reads above 1500
// (a freshly loaded song reads as a huge unsigned number until its first
// tick). Gives up when `clock_ms()` has advanced by `limit_ms` without that
// happening. Returns 1 when the first row has been reached, 0 on giving up.
int demo_wait_first_row(uint32_t (*position)(), uint32_t (*clock_ms)(), uint32_t limit_ms);

// --- the timeline -----------------------------------------------------------

// Draws whatever scenes the current song position selects. Each scene window
// is tested with a fresh read of pt_position, in ascending order.
void demo_timeline(DemoState& state);

// The seven scenes, each drawing one frame of itself. Called by demo_timeline.
void demo_scene_crew(DemoState& state);       // 1:    p < 100
void demo_scene_title(DemoState& state);      // 2:  100 <= p < 200
void demo_scene_lesson(DemoState& state);     // 3:  200 <= p < 300
void demo_scene_animals(DemoState& state);    // 4:  300 <= p < 600
void demo_scene_phrases(DemoState& state);    // 5:  600 <= p < 900
void demo_scene_greetings(DemoState& state);  // 6:  900 <= p < 1200
void demo_scene_finale(DemoState& state);     // 7: 1200 <= p

// The scene window a song position falls in: 1..7 (every position has one).
int demo_scene_at(uint32_t position);

// One of scene 4's nine sub-windows: the animal w (front picture and word),
// the back picture v, where the triangle swarm stands and where the word does.
struct DemoAnimalWindow {
    uint32_t first, last;  // song positions, inclusive
    int animal;            // w: picture index and index into demo_animal_words
    int back_picture;      // v
    float figure_x, figure_y;
    float word_x, word_y;
};
// The sub-window holding `position` (positions outside 300..599 get the
// nearest one).
const DemoAnimalWindow& demo_animal_window(uint32_t position);

// Scene 4's kick: accepts a trigger of sample 18 (trigger age below 4) while
// kick_level is above 0.5, then recomputes kick_level = 20 / (t - kick_time),
// at most 4.
void demo_kick(DemoState& state, int32_t trigger_age_18, float t);

// Scene 6's greeting number for a position of its window: (p - 900) / 26, at most 16.
int demo_greeting_index(uint32_t position);

// Scene 7's star-grid size: 0 before 1300, 1..4 by 16-row steps in order 13, 7 from 1400.
int demo_grid_size(uint32_t position);

// Scene 7's closing wipe, given the first sample-18 pulse of the closing part:
// a pulse above 0.5 turns end_scene_on on for good. Returns 1 when the colour
// buffer is to be cleared as well as the depth buffer.
int demo_closing_wipe(DemoState& state, double pulse_18);

// --- constant tables --------------------------------------------------------

extern const char* const demo_animal_words[9];   // Swahili animal names, by picture index
extern const char* const demo_greetings[17];     // scene 6, by greeting number
extern const float demo_greeting_x[17];          // drawn at x = 2 * demo_greeting_x[i]
extern const float demo_greeting_y[17];
extern const char* const demo_credits[4];        // scene 7's closing credits, in order

// --- beat pulses ------------------------------------------------------------

// The pulse of sample 18 (long) or 19 (short): 0 while idle; after a trigger
// (trigger age below 6) seen by a call at demo time `start`, it is
// sin(sqrt(rate x (t - start))) until that phase reaches 3.141592, when the
// call returns 0 and the pulse is idle again. A trigger during a running
// pulse is ignored. Any other sample number gives 0 and changes nothing.
// Each call is a step of the pulse's state; pass the same t within a frame.
double demo_pulse(int sample, float t);

// Back to the initial state of both pulses (idle, start 0). For tests and
// for a tool that renders the production more than once.
void demo_pulse_reset();

// --- start-up, frame loop and end (SDL) ---------------------------------------
// These belong to the zorvandu program itself (main.cpp, frame_loop.cpp,
// startup.cpp), not to the SDL-free zk_demo library.

// The production's entry: window, start-up, frame loop, shutdown. Returns 0
// after a normal end, 1 after a start-up failure (one line on stderr).
int demo_main(int argc, char** argv);

// Start-up after the window is open: audio output, module file, textures,
// playback and the wait for the first row. 1, or 0 after SDL has been closed
// and one line written on stderr.
int demo_startup();

// The frame loop: demo_frame with SDL's clock, swap, drain the events (a key
// press, mouse-button press or close request sets quit), until quit is set.
void demo_run_frames(DemoState& state);

// Stops playback and closes the audio device (before SDL_Quit).
void demo_shutdown();
