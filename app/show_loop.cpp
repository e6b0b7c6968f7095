#include "app/show_loop.h"

#include <SDL.h>

#include <cstdio>

#include "app/keys.h"
#include "app/set_up.h"

namespace {

void handle(Show& show, const SDL_Event& event, std::uint32_t now)
{
    switch (requestFor(event)) {
    case ShowRequest::Quit:
        show.quitRequested = true;
        break;
    case ShowRequest::TimingStart:
        if (!show.timingLineOpen) {
            printTimingStart(stdout, show.globaltime);
            show.timingLineOpen = true;
        }
        break;
    case ShowRequest::TimingEnd:
        if (show.timingLineOpen) {
            printTimingEnd(stdout, show.globaltime);
            show.timingLineOpen = false;
        }
        break;
    case ShowRequest::SkipAhead:
        // From where the clock is now: presses within one turn add up.
        moveSongTo(show.song, std::uint64_t{songClockMs(show.song, now)} + skipAheadMs, now);
        break;
    case ShowRequest::JumpToGreetings:
        moveSongTo(show.song, greetingsJumpMs, now);
        break;
    case ShowRequest::JumpToRetroBanner:
        moveSongTo(show.song, retroBannerJumpMs, now);
        break;
    case ShowRequest::Windowed:
        leaveFullScreen();
        break;
    case ShowRequest::None:
        break;
    }
}

}  // namespace

void startShow(Show& show, std::uint32_t fromMs)
{
    startSong(show.song, fromMs, SDL_GetTicks());
    show.globaltime = fromMs;
    show.quitRequested = false;
}

void showTurnFrame(Show& show, std::uint32_t now)
{
    show.globaltime = songClockMs(show.song, now);
    renderFrame(show.globaltime, show.state);
}

bool handleShowEvents(Show& show, std::uint32_t now)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        handle(show, event, now);
    }
    return !show.quitRequested;
}
