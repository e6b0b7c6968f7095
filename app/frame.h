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

// advanceFrame for every frame of a show drawing one every stepMs from 0
// up to, not including, t: a fresh state then draws t as that show would.
void advanceTo(std::uint32_t t, std::uint32_t stepMs, ShowState& state);

// drawFrame, then present it.
void renderFrame(std::uint32_t t, ShowState& state);
