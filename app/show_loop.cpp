#include "app/show_loop.h"

#include <SDL.h>

#include <cstdio>

#include "app/keys.h"
#include "app/set_up.h"

namespace {

// Moves the clock so that the show time is target now, and the song with it.
void jumpTo(Show& show, std::uint32_t target)
{
    show.clock.moveTo(SDL_GetTicks(), target);
    moveSongTo(show.song, target, show.songLengthMs);
}

void handle(Show& show, const SDL_Event& event)
{
    switch (requestFor(event)) {
    case ShowRequest::Quit:
        show.quitRequested = true;
        break;
    case ShowRequest::TimingStart:
        printTimingStart(stdout, show.clock.globaltime);
        break;
    case ShowRequest::TimingEnd:
        printTimingEnd(stdout, show.clock.globaltime);
        break;
    case ShowRequest::SkipAhead:
        show.clock.starttime -= skipAheadMs;
        moveSongTo(show.song, SDL_GetTicks() - show.clock.starttime, show.songLengthMs);
        break;
    case ShowRequest::JumpToGreetings:
        jumpTo(show, greetingsJumpMs);
        break;
    case ShowRequest::JumpToRetroBanner:
        jumpTo(show, retroBannerJumpMs);
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
    Mix_VolumeMusic(show.song.muted ? 0 : MIX_MAX_VOLUME);
    show.clock.starttime = SDL_GetTicks();
    Mix_PlayMusic(show.song.music, -1);
    if (fromMs != 0) {
        // The fresh song seeks forward from its start; the clock starts
        // where the seek has left the music.
        Mix_SetMusicPosition(songPositionSeconds(fromMs, show.songLengthMs));
        show.clock.moveTo(SDL_GetTicks(), fromMs);
    }
    show.quitRequested = false;
}

void showTurnFrame(Show& show)
{
    renderFrame(show.clock.tick(SDL_GetTicks()), show.state);
}

bool handleShowEvents(Show& show)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        handle(show, event);
    }
    return Mix_PlayingMusic() && !show.quitRequested;
}
