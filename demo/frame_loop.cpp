// The SDL frame loop: draw, swap, drain the events, as fast as the swap
// returns. Animation follows the clock and the song, never the frame count.
#include <SDL/SDL.h>

#include "demo/demo.h"

namespace {

// Key presses, button presses and close requests end the production; key
// releases, motion and window events do not.
void demo_drain_events(DemoState& state) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_KEYDOWN || event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_QUIT)
            state.quit = 1;
    }
}

}  // namespace

void demo_run_frames(DemoState& state) {
    do {
        demo_frame(state, SDL_GetTicks());
        SDL_GL_SwapBuffers();
        demo_drain_events(state);
    } while (!state.quit);
}
