// One frame of the show at a show time: the timeline's layers painted back
// to front, each inside its window.
#pragma once

#include <cstdint>

#include "layers/snow.h"
#include "timeline/timeline.h"
#include "layers/xor_pattern.h"
#include "track/ride_view.h"

// Everything the show keeps from one frame to the next: the ride's laid
// track and turntable, the snow, the pattern's last phase. A fresh state is
// the show before its first frame; the seed picks the snow's random flakes.
struct ShowState {
    explicit ShowState(unsigned seed = 1) : snow(seed) {}
    void reset(unsigned seed);

    RideState ride;
    SnowField snow;
    XorPatternState pattern;
};

// One layer as the frame draws it at t: only if t is inside its window.
void drawLayerIfShown(Layer layer, std::uint32_t t, ShowState& state);

// Everything of the frame at t but the swap, so that it can be read back.
void drawFrame(std::uint32_t t, ShowState& state);

// What drawing the frame at t does to the state, without drawing anything:
// to bring a fresh state to a moment of the show as a live show would have
// left it, advance it through the frames the show would have drawn before.
void advanceFrame(std::uint32_t t, ShowState& state);

// How often a live show draws, as taken for bringing a state to a moment:
// the main loop's 10 ms pause and a few ms of drawing on the machines the
// show was made on. The snow falls a step per frame, so this sets how far.
constexpr std::uint32_t nominalFrameMs = 15;

// A fresh state brought to the moment t of the show as a live show would
// have left it: advanced through a frame every nominalFrameMs before t.
void advanceStateTo(std::uint32_t t, ShowState& state);

// drawFrame, then present it.
void renderFrame(std::uint32_t t, ShowState& state);
