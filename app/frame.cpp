#include "app/frame.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>

#include "overlay/primitives.h"

namespace {

void drawLayer(const ShowLayer& row, std::uint32_t t, const ShowState& state)
{
    if (row.drawAt != nullptr) {
        row.drawAt(t);
    } else {
        row.drawFromState(t, state);
    }
}

}  // namespace

void ShowState::reset(unsigned seed)
{
    ride = RideState{};
    snow.reset(seed);
    pattern = XorPatternState{};
}

void advanceFrame(std::uint32_t t, ShowState& state)
{
    for (const ShowLayer& row : showLayers) {
        if (row.advance != nullptr && row.window.contains(t)) {
            row.advance(t, state);
        }
    }
}

void drawFrame(std::uint32_t t, const ShowState& state)
{
    // Only the 3D view tests depth; without it the depth buffer stays as it is.
    glClear(GL_COLOR_BUFFER_BIT | (windowOf(Layer::Ride).contains(t) ? GL_DEPTH_BUFFER_BIT : 0));
    // Whatever the frame before left, the layers start from the 2D state;
    // the 3D view leaves it behind again when it has drawn.
    useShowProjection();
    for (const ShowLayer& row : showLayers) {
        if (row.window.contains(t)) {
            drawLayer(row, t, state);
        }
    }
}

void drawLayerIfShown(Layer layer, std::uint32_t t, const ShowState& state)
{
    const ShowLayer& row = showLayer(layer);
    if (row.window.contains(t)) {
        drawLayer(row, t, state);
    }
}

void playFrame(std::uint32_t t, ShowState& state)
{
    advanceFrame(t, state);
    drawFrame(t, state);
}

void renderFrame(std::uint32_t t, ShowState& state)
{
    playFrame(t, state);
    SDL_GL_SwapBuffers();
}

void advanceStateTo(std::uint32_t t, ShowState& state)
{
    const std::uint32_t until = std::min(t, showEndMs);
    for (std::uint32_t at = 0; at < until; at += nominalFrameMs) {
        advanceFrame(at, state);
    }
}
