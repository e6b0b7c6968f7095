// The show's entry: options, set-up, splash, the main loop, shutdown.
#include <SDL.h>

#include <cstdio>
#include <ctime>

#include "app/console.h"
#include "app/set_up.h"
#include "app/show_loop.h"
#include "app/show_options.h"
#include "app/splash.h"
#include "assets/song_stream.h"

namespace {

constexpr Uint32 turnSleepMs = 10;

}  // namespace

int main(int argc, char** argv)
{
    makePrintingBestEffort();
    const ShowOptions options = readShowOptions(argc, argv);
    // The snow falls differently on every run.
    Show show(static_cast<unsigned>(std::time(nullptr)));
    show.song.muted = options.muted;
    setUpShow(show.song, options.fullScreen);
    advanceStateTo(options.fromMs, show.state);
    show.songLengthMs = songLengthMs(musicBlock());

    if (showSplash()) {
        startShow(show, options.fromMs);
        do {
            showTurnFrame(show);
            SDL_Delay(turnSleepMs);
        } while (handleShowEvents(show));
    }
    std::printf("Run for %d seconds\n", static_cast<int>(show.clock.globaltime / 1000));
    SDL_Quit();
    return 0;
}
