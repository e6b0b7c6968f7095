// What a seek costs the viewer: from the seek to its frame on the screen
// (the clock and the music moved, the state restored from its snapshot and
// brought to the moment, the frame and the bar drawn, swapped, glFinish), as
// a ratio to the same frame's ordinary drawing, measured beside it in the
// same run: the median of three drawings of it again. 200 seeks to moments
// picked from a fixed seed, forwards and backwards over the whole script,
// with the drawing warmed up and the snapshots made beforehand as the
// splash does them; and once more the first seek of a show whose snapshots
// are not made yet. Prints a few lines for scripts/benchmark: a benchmark,
// not a test.
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "app/set_up.h"
#include "app/show_loop.h"
#include "app/warm_up.h"
#include "assets/loader.h"
#include "timing.h"

namespace {

constexpr int seekCount = 200;
constexpr int ordinaryDrawings = 3;
constexpr unsigned targetSeed = 20261209;

double median(const std::vector<double>& values)
{
    return nearestRank(values, 0.5);
}

// A seek at tick now, and the same frame drawn again as it is drawn in
// every other turn.
struct Seek {
    double ms;
    double ordinaryMs;
};

Seek timedSeek(Show& show, std::uint32_t target)
{
    const std::uint32_t now = SDL_GetTicks();
    glFinish();
    auto began = BenchClock::now();
    seekShow(show, target, now);
    showTurnFrame(show, now);
    glFinish();
    const double ms = msSince(began);
    std::vector<double> drawings;
    for (int drawing = 0; drawing < ordinaryDrawings; ++drawing) {
        glFinish();
        began = BenchClock::now();
        drawShowTurn(show, now);
        SDL_GL_SwapBuffers();
        glFinish();
        drawings.push_back(msSince(began));
    }
    return {ms, median(drawings)};
}

}  // namespace

int main(int, char**)
{
    const auto show = std::make_unique<Show>(targetSeed);
    setUpShow(show->song);
    // What the splash does before the show: every picture in, the drawing
    // warmed up.
    finishLoadingPictures();
    warmUpDrawing();
    startShow(*show, 0);
    showTurnFrame(*show, SDL_GetTicks());

    const Seek unmade = timedSeek(*show, lastStateChangeMs);
    while (show->snapshots.buildNext()) {
    }
    std::mt19937 random(targetSeed);
    std::uniform_int_distribution<std::uint32_t> anywhere(0, showEndMs);
    std::vector<double> seekMs;
    std::vector<double> ratios;
    for (int seek = 0; seek < seekCount; ++seek) {
        const Seek timed = timedSeek(*show, anywhere(random));
        seekMs.push_back(timed.ms);
        ratios.push_back(timed.ms / timed.ordinaryMs);
    }
    std::printf("seeks: %d to moments over the whole script, the snapshots made\n", seekCount);
    std::printf("from the seek to its frame shown: median %.2f ms, worst %.2f ms\n", median(seekMs),
                *std::max_element(seekMs.begin(), seekMs.end()));
    std::printf("in ordinary drawings of the same frame: median %.2f, worst %.2f\n", median(ratios),
                *std::max_element(ratios.begin(), ratios.end()));
    std::printf("the first seek, before any snapshot is made: %.2f ms, %.2f ordinary frames\n", unmade.ms,
                unmade.ms / unmade.ordinaryMs);
    closeSong(show->song);
    SDL_Quit();
    return 0;
}
