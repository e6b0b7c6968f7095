// How long the frames of each layer's window take to draw, walking the whole
// script in order as the show would (the snow steps once per frame, the
// track is laid as it goes). Every frame counts for each layer on screen in
// it. Prints one line per row of the timeline; a benchmark, not a test: run
// it through scripts/benchmark.
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/frame.h"
#include "app/set_up.h"
#include "timeline/timeline.h"

namespace {

// A frame every 100 ms of show time: every beat is visited (so the track is
// still laid piece by piece) in a fifth of the show's frames.
constexpr std::uint32_t frameStepMs = 100;
constexpr std::uint32_t lastFrameMs = windowOf(Layer::ClosingCard).until;

}  // namespace

int main(int, char**)
{
    ShowSong song;
    setUpShow(song);
    static ShowState state;
    constexpr std::size_t rows = std::size(timeline);
    std::vector<double> frameMs[rows];
    for (std::uint32_t t = 0; t <= lastFrameMs; t += frameStepMs) {
        const auto began = std::chrono::steady_clock::now();
        renderFrame(t, state);
        glFinish();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
        for (std::size_t row = 0; row < rows; ++row) {
            if (timeline[row].window.contains(t)) {
                frameMs[row].push_back(ms);
            }
        }
    }
    std::printf("%-32s %9s %9s %7s\n", "layer on screen", "mean ms", "worst ms", "frames");
    for (std::size_t row = 0; row < rows; ++row) {
        const std::vector<double>& times = frameMs[row];
        double total = 0;
        for (double ms : times) {
            total += ms;
        }
        const double worst = times.empty() ? 0 : *std::max_element(times.begin(), times.end());
        std::printf("%-32s %9.1f %9.1f %7zu\n", layerName(timeline[row].layer),
                    times.empty() ? 0 : total / static_cast<double>(times.size()), worst, times.size());
    }
    SDL_Quit();
    return 0;
}
