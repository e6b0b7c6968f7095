// How long one frame of each scene takes to draw, walking the whole script
// in order as the show would (the snow steps once per frame, the track is
// laid as it goes). Prints one line per scene; a benchmark, not a test: run
// it through scripts/benchmark.
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "app/frame.h"
#include "app/set_up.h"
#include "app/show_clock.h"

namespace {

struct Scene {
    const char* name;
    std::uint32_t from;
    std::uint32_t to;
};

constexpr Scene scenes[] = {
    {"track laid, opening titles", 1, 48750},
    {"ball rides the track, snow", 48751, 68000},
    {"emblem orbits", 68001, 74000},
    {"title screen, dancing Santa", 74001, 85000},
    {"the singer", 85001, 111000},
    {"greetings over the XOR pattern", 111001, 116625},
    {"heart chase", 116626, 153000},
    {"retro banner", 153001, 157000},
    {"8-bit computer", 157001, 183500},
    {"credits", 183501, 198500},
    {"closing card", 198501, 318500},
};

// A frame every 100 ms of show time: every beat of every scene is visited
// (so the track is still laid piece by piece) in a fifth of the show's frames.
constexpr std::uint32_t frameStepMs = 100;

}  // namespace

int main(int, char**)
{
    setUpShow();
    std::printf("%-32s %9s %9s %7s\n", "scene", "mean ms", "worst ms", "frames");
    for (const Scene& scene : scenes) {
        double total = 0, worst = 0;
        int frames = 0;
        for (std::uint32_t t = scene.from; t <= scene.to; t += frameStepMs) {
            globaltime = t;
            const auto began = std::chrono::steady_clock::now();
            renderFrame();
            glFinish();
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
            total += ms;
            worst = std::max(worst, ms);
            ++frames;
        }
        std::printf("%-32s %9.1f %9.1f %7d\n", scene.name, total / frames, worst, frames);
    }
    SDL_Quit();
    return 0;
}
