// The show's start-up as its entry runs it: how long from the program's
// entry to the first splash frame on the screen, and the memory the process
// holds at its peak once every picture is loaded, every layer warmed up and
// the whole show drawn through (a frame every second, the track laid and the
// snow falling as between them). Prints one line for scripts/benchmark,
// which compares it with a bare window's: a benchmark, not a test.
#include <SDL.h>
#include <SDL_opengl.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "app/frame.h"
#include "app/set_up.h"
#include "app/splash.h"
#include "app/warm_up.h"
#include "assets/loader.h"
#include "peak_memory.h"

namespace {

constexpr std::uint32_t stepMs = 100;
constexpr std::uint32_t drawnEveryMs = 1000;

}  // namespace

int main(int, char**)
{
    const auto entered = std::chrono::steady_clock::now();
    ShowSong song;
    setUpShow(song);
    drawSplashFrame();
    SDL_GL_SwapBuffers();
    glFinish();
    const auto shown = std::chrono::steady_clock::now();

    // What the rest of the splash does, then the show.
    finishLoadingPictures();
    warmUpDrawing();
    const auto state = std::make_unique<ShowState>();
    for (std::uint32_t t = 0; t <= showEndMs; t += stepMs) {
        if (t % drawnEveryMs == 0) {
            renderFrame(t, *state);
        } else {
            advanceFrame(t, *state);
        }
    }
    glFinish();
    std::printf("show first_frame_ms %.1f peak_mib %.1f\n",
                std::chrono::duration<double, std::milli>(shown - entered).count(), peakMemoryMib());
    closeSong(song);
    SDL_Quit();
    return 0;
}
