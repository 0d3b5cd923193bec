// The production's entry: the window, the start-up, the frame loop and the
// shutdown, in that order.
#include <SDL/SDL.h>

#include <cstdio>
#include <cstring>

#include "demo/demo.h"

namespace {

// SDL 2 underneath SDL 1.2 falls back silently to an invisible "offscreen"
// (or "dummy") video driver when there is no display; that is no display.
int demo_open_window() {
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);  // the scenes sort their solids by depth
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Surface* screen = SDL_SetVideoMode(640, 480, 32, SDL_OPENGL | SDL_DOUBLEBUF | SDL_FULLSCREEN);
    char driver[32] = "";
    if (screen == nullptr || SDL_VideoDriverName(driver, sizeof driver) == nullptr) return 0;
    return std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

}  // namespace

int demo_main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    DemoState state;
    demo_state_init(state);

    SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO);
    if (!demo_open_window()) {
        SDL_Quit();
        std::fputs("zorvandu: no display found; to make a video instead use build/capture\n", stderr);
        return 1;
    }
    SDL_ShowCursor(SDL_DISABLE);
    SDL_WM_SetCaption("Zorvandu Kelemba", nullptr);

    if (!demo_startup()) return 1;
    state.time_origin = SDL_GetTicks();

    demo_run_frames(state);

    demo_shutdown();
    SDL_Quit();
    return 0;
}

int main(int argc, char** argv) { return demo_main(argc, argv); }
