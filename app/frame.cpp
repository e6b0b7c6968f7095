#include "app/frame.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>

#include "layers/closing_card.h"
#include "layers/credits.h"
#include "layers/emblem_orbit.h"
#include "layers/greetings.h"
#include "layers/handover_caption.h"
#include "layers/heart_chase.h"
#include "layers/opening_titles.h"
#include "layers/retro_banner.h"
#include "layers/retro_computer.h"
#include "layers/singer.h"
#include "layers/title_dance.h"
#include "overlay/primitives.h"

namespace {

void drawLayer(Layer layer, std::uint32_t t, ShowState& state)
{
    switch (layer) {
    case Layer::Ride: drawRideView(t, state.ride); break;
    case Layer::OpeningTitles: drawOpeningTitlesLayer(t); break;
    case Layer::EmblemOrbit: drawEmblemOrbitLayer(t); break;
    case Layer::TitleDance: drawTitleDanceLayer(t); break;
    case Layer::HandOverCaption: drawHandOverCaptionLayer(t); break;
    case Layer::Singer: drawSingerLayer(t); break;
    case Layer::Snow: drawSnowLayer(t, state.snow); break;
    case Layer::XorPattern: drawXorPatternLayer(t, state.pattern); break;
    case Layer::Greetings: drawGreetingsLayer(t); break;
    case Layer::HeartChase: drawHeartChaseLayer(t); break;
    case Layer::RetroBanner: drawRetroBannerLayer(t); break;
    case Layer::RetroComputer: drawRetroComputerLayer(t); break;
    case Layer::Credits: drawCreditsLayer(t); break;
    case Layer::ClosingCard: drawClosingCardLayer(t); break;
    }
}

}  // namespace

void ShowState::reset(unsigned seed)
{
    ride.reset();
    snow.reset(seed);
    pattern = XorPatternState{};
}

void drawLayerIfShown(Layer layer, std::uint32_t t, ShowState& state)
{
    if (windowOf(layer).contains(t)) {
        drawLayer(layer, t, state);
    }
}

void drawFrame(std::uint32_t t, ShowState& state)
{
    // Only the 3D view tests depth; without it the depth buffer stays as it is.
    glClear(GL_COLOR_BUFFER_BIT | (windowOf(Layer::Ride).contains(t) ? GL_DEPTH_BUFFER_BIT : 0));
    // Whatever the frame before left, the layers start from the 2D state;
    // the 3D view leaves it behind again when it has drawn.
    useShowProjection();
    for (const Scheduled& row : timeline) {
        if (row.window.contains(t)) {
            drawLayer(row.layer, t, state);
        }
    }
}

void advanceFrame(std::uint32_t t, ShowState& state)
{
    for (const Scheduled& row : timeline) {
        if (!row.window.contains(t)) {
            continue;
        }
        switch (row.layer) {
        case Layer::Ride: advanceRideView(t, state.ride); break;
        case Layer::Snow: advanceSnowLayer(t, state.snow); break;
        case Layer::XorPattern: advanceXorPatternLayer(t, state.pattern); break;
        // The other layers keep nothing from frame to frame.
        case Layer::OpeningTitles:
        case Layer::EmblemOrbit:
        case Layer::TitleDance:
        case Layer::HandOverCaption:
        case Layer::Singer:
        case Layer::Greetings:
        case Layer::HeartChase:
        case Layer::RetroBanner:
        case Layer::RetroComputer:
        case Layer::Credits:
        case Layer::ClosingCard: break;
        }
    }
}

void advanceStateTo(std::uint32_t t, ShowState& state)
{
    const std::uint32_t until = std::min(t, showEndMs);
    for (std::uint32_t at = 0; at < until; at += nominalFrameMs) {
        advanceFrame(at, state);
    }
}

void renderFrame(std::uint32_t t, ShowState& state)
{
    drawFrame(t, state);
    SDL_GL_SwapBuffers();
}
