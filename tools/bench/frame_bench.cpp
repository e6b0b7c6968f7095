// How long the frames of each layer's window take to draw, as ratios to a
// floor drawn in the same run: three blended full-screen textured quads and
// glFinish, what any renderer must afford for a show of flat pictures. The
// machines are shared and noisy, so only the ratios compare across runs.
//
// The whole script is walked in order as the show would (the snow steps once
// per frame), a frame every 100 ms. Each frame is advanced once, then drawn
// a few times over from that state, taking turns with the floor, and its ratio is its quickest drawing over the floor's quickest
// beside it: what other programs do to the machine meanwhile weighs on both
// alike and drops out. More walks keep each frame's quickest of all of
// them. Every frame counts for each layer on screen in it. Prints a table;
// a benchmark, not a test: run it through scripts/benchmark.
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/command_line.h"
#include "app/frame.h"
#include "app/set_up.h"
#include "app/splash.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"
#include "timing.h"

namespace {

constexpr std::uint32_t frameStepMs = 100;
constexpr int defaultWalks = 1;
constexpr int defaultRedraws = 3;
constexpr std::uint32_t mostOfEither = 100;

constexpr int floorQuads = 3;
constexpr int floorTextureSide = 1024;
constexpr double percentile = 0.99;

// A 1024 x 1024 picture, half transparent, so that blending does real work.
GLuint makeFloorTexture()
{
    constexpr std::uint32_t halfTransparentGrey = 0x80808080;
    const std::vector<std::uint32_t> texels(static_cast<std::size_t>(floorTextureSide) * floorTextureSide,
                                            halfTransparentGrey);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, floorTextureSide, floorTextureSide, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

double drawFloor(GLuint texture)
{
    useShowProjection();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor3f(1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, texture);
    glFinish();
    const auto began = BenchClock::now();
    for (int quad = 0; quad < floorQuads; ++quad) {
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(0, 0);
        glTexCoord2f(0, 1);
        glVertex2f(0, screenHeight);
        glTexCoord2f(1, 1);
        glVertex2f(screenWidth, screenHeight);
        glTexCoord2f(1, 0);
        glVertex2f(screenWidth, 0);
        glEnd();
    }
    glFinish();
    const double ms = msSince(began);
    glBindTexture(GL_TEXTURE_2D, 0);
    return ms;
}

// Each slot's quickest time so far.
void keepQuickest(std::vector<double>& quickest, std::size_t slot, double ms)
{
    if (slot >= quickest.size()) {
        quickest.push_back(ms);
    } else {
        quickest[slot] = std::min(quickest[slot], ms);
    }
}

struct Repeats {
    int walks = defaultWalks;
    int redraws = defaultRedraws;
};

Repeats repeatsFrom(int argc, char** argv)
{
    CommandLine options(argc, argv);
    Repeats repeats;
    while (options.next()) {
        if (options.is("--help")) {
            std::printf("usage: %s [--walks N] [--redraws N]\n", options.program().c_str());
            std::exit(0);
        }
        int& count = options.is("--walks") ? repeats.walks : repeats.redraws;
        if (!options.is("--walks") && !options.is("--redraws")) {
            options.failUnknown();
        }
        const auto value = parseMilliseconds(options.value());
        if (!value || *value == 0 || *value > mostOfEither) {
            options.fail(options.option() + " takes a number from 1 to 100");
        }
        count = static_cast<int>(*value);
    }
    return repeats;
}

// The frame's drawing alone: drawing only reads the state, so it can be
// drawn again and again from the same one.
double timedFrame(std::uint32_t t, const ShowState& state)
{
    const auto began = BenchClock::now();
    drawFrame(t, state);
    SDL_GL_SwapBuffers();
    glFinish();
    return msSince(began);
}

}  // namespace

int main(int argc, char** argv)
{
    const Repeats repeats = repeatsFrom(argc, argv);
    openShowWindow(true);
    prepareDrawing();
    // The show's first swap, like its splash's, comes before any frame.
    drawSplashFrame();
    SDL_GL_SwapBuffers();
    const GLuint floorTexture = makeFloorTexture();

    std::vector<double> frameMs;
    std::vector<double> floorMs;  // beside each frame
    // The first walk meets every state of the show for the first time.
    double firstWalkWorst = 0;
    std::uint32_t firstWalkWorstAt = 0;
    for (int walk = 0; walk < repeats.walks; ++walk) {
        const auto state = std::make_unique<ShowState>(referenceSnowSeed);
        std::size_t frame = 0;
        for (std::uint32_t t = 0; t <= showEndMs; t += frameStepMs, ++frame) {
            advanceFrame(t, *state);
            for (int draw = 0; draw < repeats.redraws; ++draw) {
                const double ms = timedFrame(t, *state);
                keepQuickest(frameMs, frame, ms);
                keepQuickest(floorMs, frame, drawFloor(floorTexture));
                if (walk == 0 && draw == 0 && ms > firstWalkWorst) {
                    firstWalkWorst = ms;
                    firstWalkWorstAt = t;
                }
            }
        }
    }

    const double floor = nearestRank(floorMs, 0.5);
    std::printf("floor (three blended full-screen textured quads and glFinish): median %.2f ms\n", floor);
    std::printf("each frame and its floor the quickest of %d drawings in each of %d walks; the first drawing's "
                "slowest: %.2f ms at %u\n\n",
                repeats.redraws, repeats.walks, firstWalkWorst, firstWalkWorstAt);
    std::printf("%-16s %6s %10s %7s %9s %13s %10s %12s\n", "layer", "frames", "median ms", "p99 ms", "worst ms",
                "median/floor", "p99/floor", "worst/floor");
    for (const ShowLayer& row : showLayers) {
        std::vector<double> times;
        std::vector<double> ratios;
        std::size_t frame = 0;
        for (std::uint32_t t = 0; t <= showEndMs; t += frameStepMs, ++frame) {
            if (row.window.contains(t)) {
                times.push_back(frameMs[frame]);
                ratios.push_back(frameMs[frame] / floorMs[frame]);
            }
        }
        std::printf("%-16s %6zu %10.2f %7.2f %9.2f %13.2f %10.2f %12.2f\n", row.name, times.size(),
                    nearestRank(times, 0.5), nearestRank(times, percentile), nearestRank(times, 1),
                    nearestRank(ratios, 0.5), nearestRank(ratios, percentile), nearestRank(ratios, 1));
    }
    SDL_Quit();
    return 0;
}
