// The show's entry: set-up, splash, the main loop, shutdown.
#include <SDL.h>

#include <cstdio>
#include <ctime>

#include "app/set_up.h"
#include "app/show_loop.h"
#include "app/splash.h"

namespace {

constexpr Uint32 turnSleepMs = 10;

}  // namespace

int main(int, char**)
{
    // The snow falls differently on every run.
    Show show(static_cast<unsigned>(std::time(nullptr)));
    setUpShow(show.song);
    showSplash();

    startShow(show, 0);
    do {
        showTurnFrame(show, SDL_GetTicks());
        SDL_Delay(turnSleepMs);
    } while (handleShowEvents(show, SDL_GetTicks()));
    std::printf("Run for %d seconds\n", static_cast<int>(show.globaltime / 1000));
    SDL_Quit();
    return 0;
}
