// The show's script: every layer in one table, in the order the frame
// paints them, back to front (a later row covers an earlier one where both
// show), each with its name, its window of globaltime (written in the
// layer's own header), how it is drawn and, where it keeps something from
// frame to frame, how that is advanced, and a moment that pictures it well.
// The frame, the capture, the storyboard, the benchmarks, the checks and
// the song's tools (tools/media/song/timing.py) all read this table.
//
// A new layer is a file under layers/ (its window and its draw function)
// and a value in Layer with its row below, at its place in the painting
// order; a layer that keeps state also adds it to ShowState, with a draw
// and an advance that take it from there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

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
#include "layers/snow.h"
#include "layers/title_dance.h"
#include "layers/xor_pattern.h"
#include "timeline/beat.h"
#include "track/ride_view.h"

// Everything the show keeps from one frame to the next: the ride's
// turntable, the snow, the pattern's last phase. A fresh state is the show
// before its first frame; the seed picks the snow's random flakes. Only
// advancing a frame changes it; drawing only reads it.
struct ShowState {
    explicit ShowState(unsigned seed = 1) : snow(seed) {}
    void reset(unsigned seed);

    RideState ride;
    SnowField snow;
    XorPatternState pattern;
};

// The layers of the show, in painting order: the table's rows.
enum class Layer {
    Ride,             // the track laid on the beat, then ridden by the ball (3D)
    OpeningTitles,    // seven title cards, sixteen beats each
    EmblemOrbit,      // the group's emblem orbits in
    TitleDance,       // the title screen with the dancing Santa
    HandOverCaption,  // three flashes of the caption that hands over to the singer
    Singer,           // the lip-synced singer
    Snow,             // falling snow, over everything of its time
    XorPattern,       // the flickering exclusive-or pattern
    Greetings,        // greetings pages over the pattern
    HeartChase,       // the heart chase in three passes
    RetroBanner,      // the banner that drops through
    RetroComputer,    // the 8-bit computer loading the show
    Credits,          // five credits cards
    ClosingCard,      // the emblem with its slogan, to the end
    Count             // not a layer: how many there are
};

constexpr std::size_t layerCount = static_cast<std::size_t>(Layer::Count);

// One row of the script.
struct ShowLayer {
    using DrawAt = void (*)(std::uint32_t t);
    using DrawFromState = void (*)(std::uint32_t t, const ShowState& state);
    using Advance = void (*)(std::uint32_t t, ShowState& state);

    // A layer that keeps nothing from frame to frame.
    constexpr ShowLayer(Layer layer, const char* name, TimeWindow window, std::uint32_t picturedAt, DrawAt draw)
        : layer(layer), name(name), window(window), picturedAt(picturedAt), drawAt(draw)
    {
    }
    // A layer drawn from the state that its advance keeps.
    constexpr ShowLayer(Layer layer, const char* name, TimeWindow window, std::uint32_t picturedAt,
                        DrawFromState draw, Advance advance)
        : layer(layer), name(name), window(window), picturedAt(picturedAt), drawFromState(draw), advance(advance),
          keepsState(true)
    {
    }

    Layer layer;
    const char* name;
    TimeWindow window;
    // A moment inside the window that shows the layer well: its frame in
    // the storyboard.
    std::uint32_t picturedAt;
    DrawAt drawAt = nullptr;
    DrawFromState drawFromState = nullptr;
    Advance advance = nullptr;
    // It has an advance: written apart for the compile-time checks, which
    // may not compare a function's address when the sanitizers build.
    bool keepsState = false;
};

// The stateful layers, drawn and advanced from their part of the state.
inline void drawRide(std::uint32_t t, const ShowState& state) { drawRideView(t, state.ride); }
inline void advanceRide(std::uint32_t t, ShowState& state) { advanceRideView(t, state.ride); }
inline void drawSnow(std::uint32_t t, const ShowState& state) { drawSnowLayer(t, state.snow); }
inline void advanceSnow(std::uint32_t t, ShowState& state) { advanceSnowLayer(t, state.snow); }
inline void drawPattern(std::uint32_t t, const ShowState& state) { drawXorPatternLayer(t, state.pattern); }
inline void advancePattern(std::uint32_t t, ShowState& state) { advanceXorPatternLayer(t, state.pattern); }

inline constexpr ShowLayer showLayers[] = {
    // layer, name, window, pictured at, draw (and advance)
    {Layer::Ride, "Ride", rideWindow, 58000, drawRide, advanceRide},  // the ball riding the track
    {Layer::OpeningTitles, "OpeningTitles", openingTitlesWindow, 3000, drawOpeningTitlesLayer},  // the group
    {Layer::EmblemOrbit, "EmblemOrbit", emblemOrbitWindow, 71000, drawEmblemOrbitLayer},
    {Layer::TitleDance, "TitleDance", titleDanceWindow, 78000, drawTitleDanceLayer},
    {Layer::HandOverCaption, "HandOverCaption", handOverCaptionWindow, 82000, drawHandOverCaptionLayer},  // a flash
    {Layer::Singer, "Singer", singerWindow, 95000, drawSingerLayer},
    {Layer::Snow, "Snow", snowWindow, 39000, drawSnow, advanceSnow},  // the aside that calls for snow
    {Layer::XorPattern, "XorPattern", xorPatternWindow, 113900, drawPattern, advancePattern},  // a step: it shows then
    {Layer::Greetings, "Greetings", greetingsWindow, 115000, drawGreetingsLayer},
    {Layer::HeartChase, "HeartChase", heartChaseWindow, 134800, drawHeartChaseLayer},  // Santa on white
    {Layer::RetroBanner, "RetroBanner", retroBannerWindow, 155000, drawRetroBannerLayer},
    {Layer::RetroComputer, "RetroComputer", retroComputerWindow, 175000, drawRetroComputerLayer},
    {Layer::Credits, "Credits", creditsWindow, 190000, drawCreditsLayer},
    {Layer::ClosingCard, "ClosingCard", closingCardWindow, 250000, drawClosingCardLayer},
};

// Every value of Layer has its row, at its place, pictured inside its
// window: a layer added without a row, or a row out of place, does not
// compile.
constexpr bool everyRowInPlace()
{
    std::size_t index = 0;
    for (const ShowLayer& row : showLayers) {
        if (row.layer != static_cast<Layer>(index++) || !row.window.contains(row.picturedAt)) {
            return false;
        }
    }
    return true;
}
static_assert(std::size(showLayers) == layerCount, "one row in showLayers for every value of Layer");
static_assert(everyRowInPlace(), "row N of showLayers is Layer N, pictured inside its window");

constexpr const ShowLayer& showLayer(Layer layer)
{
    return showLayers[static_cast<std::size_t>(layer)];
}

constexpr TimeWindow windowOf(Layer layer)
{
    return showLayer(layer).window;
}

// The layer's name as written above, for what the tools print.
constexpr const char* layerName(Layer layer)
{
    return showLayer(layer).name;
}

// The last moment any layer is on screen: later frames show nothing new.
constexpr std::uint32_t showEndMs = [] {
    std::uint32_t last = 0;
    for (const ShowLayer& row : showLayers) {
        last = row.window.until > last ? row.window.until : last;
    }
    return last;
}();

// Whether a layer paints first at every moment of its window: no row before
// it in the table shows then, so it always draws on the cleared screen.
constexpr bool paintsFirst(Layer layer)
{
    const TimeWindow own = windowOf(layer);
    for (const ShowLayer& row : showLayers) {
        if (row.layer == layer) {
            return true;
        }
        // Two windows share a moment when one opens inside the other.
        if (row.window.contains(own.after + 1) || own.contains(row.window.after + 1)) {
            return false;
        }
    }
    return false;
}
static_assert(paintsFirst(Layer::TitleDance), "the title screen fades in and out over the black screen");
