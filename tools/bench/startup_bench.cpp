// How long the show takes from its entry to the first splash frame on the
// screen, and how much memory it holds at its peak by then (every picture
// decoded and uploaded, the song opened). Prints one line; a benchmark, not
// a test: run it through scripts/benchmark.
#include <SDL.h>
#include <SDL_opengl.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "app/set_up.h"
#include "app/splash.h"

int main(int, char**)
{
    const auto entered = std::chrono::steady_clock::now();
    ShowSong song;
    setUpShow(song);
    drawSplashFrame();
    SDL_GL_SwapBuffers();
    glFinish();
    const auto shown = std::chrono::steady_clock::now();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    constexpr double kibPerMib = 1024.0;
    std::printf("first splash frame after %.0f ms, peak memory %.1f MiB\n",
                std::chrono::duration<double, std::milli>(shown - entered).count(),
                usage.ru_maxrss / kibPerMib);
    SDL_Quit();
    return 0;
}
