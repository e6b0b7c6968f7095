// The show's entry: set-up, splash, the main loop with its keys, shutdown.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/audio.h"
#include "app/frame.h"
#include "app/gl_state.h"
#include "app/show_clock.h"
#include "app/splash.h"
#include "assets/loader.h"
#include "assets/media_table.h"
#include "assets/song_stream.h"
#include "overlay/primitives.h"

namespace {

constexpr int screenWidth = 1024;
constexpr int screenHeight = 768;
constexpr int screenBits = 32;
constexpr int depthBits = 16;
constexpr Uint32 turnSleepMs = 10;

[[noreturn]] void failSetUp(const char* what, const char* why)
{
    std::fprintf(stderr, "%s: %s\n", what, why);
    SDL_Quit();
    std::exit(1);
}

void setUp()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) != 0) {
        failSetUp("cannot start SDL", SDL_GetError());
    }
    if (!openMixer()) {
        failSetUp("cannot open the audio device (SDL_AUDIODRIVER=dummy plays silently)", SDL_GetError());
    }
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (SDL_SetVideoMode(screenWidth, screenHeight, screenBits, SDL_FULLSCREEN | SDL_OPENGL) == nullptr) {
        failSetUp("cannot open the full-screen OpenGL window", SDL_GetError());
    }
    SDL_ShowCursor(0);
    loadAssets();
    if (music == nullptr) {
        failSetUp("cannot open the song", Mix_GetError());
    }
    initGLState();
    setOrtho2D(screenWidth);
}

// Moves the clock so that the show time is target now, and the song with it.
void jumpTo(std::uint32_t target, std::uint32_t songLength)
{
    starttime = startTimeForShowTime(SDL_GetTicks(), target);
    moveSongTo(music, target, songLength);
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
        moveSongTo(music, SDL_GetTicks() - starttime, songLength);
        break;
    case ShowRequest::JumpToGreetings:
        jumpTo(greetingsJumpMs, songLength);
        break;
    case ShowRequest::JumpToRetroBanner:
        jumpTo(retroBannerJumpMs, songLength);
        break;
    case ShowRequest::Windowed:
        SDL_SetVideoMode(screenWidth, screenHeight, screenBits, SDL_OPENGL);
        break;
    case ShowRequest::None:
        break;
    }
    return false;
}

}  // namespace

int main(int, char**)
{
    setUp();
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
