// The show's entry: options, set-up, splash, the main loop, shutdown.
#include <SDL.h>

#include <cstdio>
#include <ctime>

#include "app/console.h"
#include "app/set_up.h"
#include "app/show_loop.h"
#include "app/show_options.h"
#include "app/splash.h"

namespace {

constexpr Uint32 turnSleepMs = 10;

}  // namespace

int main(int argc, char** argv)
{
    makePrintingBestEffort();
    const ShowOptions options = readShowOptions(argc, argv);
    // The snow falls differently on every run.
    Show show(static_cast<unsigned>(std::time(nullptr)));
    setUpShow(show.song, options.fullScreen);
    if (options.muted) {
        setSongMuted(show.song, true);
    }

    // The splash's spare frames make the snapshots that seeks restore.
    if (showSplash([&show] { return show.snapshots.buildNext(); })) {
        startShow(show, options.fromMs);
        do {
            showTurnFrame(show, SDL_GetTicks());
            SDL_Delay(turnSleepMs);
        } while (handleShowEvents(show, SDL_GetTicks()));
    }
    std::printf("Run for %d seconds\n", static_cast<int>(show.globaltime / 1000));
    SDL_Quit();
    return 0;
}
