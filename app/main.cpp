// The show's entry: set-up, splash, the main loop with its keys, shutdown.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

#include "app/audio.h"
#include "app/frame.h"
#include "app/set_up.h"
#include "app/show_clock.h"
#include "app/splash.h"
#include "assets/loader.h"
#include "assets/media_table.h"
#include "assets/song_stream.h"

namespace {

constexpr Uint32 turnSleepMs = 10;

// Moves the clock so that the show time is target now, and the song with it.
void jumpTo(std::uint32_t target, std::uint32_t songLength)
{
    starttime = startTimeForShowTime(SDL_GetTicks(), target);
    moveSongTo(music, musicBlock(), target, songLength);
}

// Handles one input event of the show; returns true when it asks to quit.
bool handle(const SDL_Event& event, std::uint32_t songLength)
{
    switch (requestFor(event)) {
    case ShowRequest::Quit:
        return true;
    case ShowRequest::TimingStart:
        printTimingStart(stdout, globaltime);
        break;
    case ShowRequest::TimingEnd:
        printTimingEnd(stdout, globaltime);
        break;
    case ShowRequest::SkipAhead:
        starttime -= skipAheadMs;
        moveSongTo(music, musicBlock(), SDL_GetTicks() - starttime, songLength);
        break;
    case ShowRequest::JumpToGreetings:
        jumpTo(greetingsJumpMs, songLength);
        break;
    case ShowRequest::JumpToRetroBanner:
        jumpTo(retroBannerJumpMs, songLength);
        break;
    case ShowRequest::Windowed:
        leaveFullScreen();
        break;
    case ShowRequest::None:
        break;
    }
    return false;
}

}  // namespace

int main(int, char**)
{
    setUpShow();
    showSplash();
    const std::uint32_t songLength = songLengthMs(musicBlock());

    starttime = SDL_GetTicks();
    Mix_PlayMusic(music, -1);
    bool quit = false;
    for (;;) {
        globaltime = SDL_GetTicks() - starttime;
        renderFrame();
        SDL_Delay(turnSleepMs);
        // Every pending event is handled, also after a quit request.
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            quit = handle(event, songLength) || quit;
        }
        if (!Mix_PlayingMusic() || quit) {
            break;
        }
    }
    std::printf("Run for %d seconds\n", static_cast<int>(globaltime / 1000));
    SDL_Quit();
    return 0;
}
