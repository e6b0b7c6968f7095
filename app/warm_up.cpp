#include "app/warm_up.h"

#include <SDL_opengl.h>

#include <cstdint>
#include <iterator>
#include <memory>

#include "app/frame.h"

namespace {

// Each layer's first frame (the start of its fades, the ride's first piece
// and its ball) and the middle of its window.
constexpr std::size_t momentsPerLayer = 2;
constexpr std::size_t warmUpFrames = momentsPerLayer * std::size(showLayers);

constexpr std::uint32_t warmUpMoment(std::size_t index)
{
    const TimeWindow window = showLayers[index / momentsPerLayer].window;
    return index % momentsPerLayer == 0 ? window.after + 1 : window.after + window.length() / 2;
}

}  // namespace

bool drawWarmUpFrame(std::size_t index)
{
    if (index >= warmUpFrames) {
        return false;
    }
    // The splash's projection comes back afterwards.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    // From a fresh state: the first snow and the first pattern draw too.
    const auto scratch = std::make_unique<ShowState>();
    playFrame(warmUpMoment(index), *scratch);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    // Rendered now, not left queued for whichever frame is shown next.
    glFinish();
    return true;
}

void warmUpDrawing()
{
    for (std::size_t index = 0; index < warmUpFrames; ++index) {
        drawWarmUpFrame(index);
    }
}
