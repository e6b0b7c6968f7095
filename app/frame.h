// One frame of the show at a show time: the script's layers painted back to
// front, each inside its window. A frame is two steps: advancing the show's
// state into it, the only thing that changes the state, then drawing it,
// which only reads the state.
#pragma once

#include <cstdint>

#include "app/show_layers.h"

// The state as the frame at t leaves it: each layer inside its window
// advances what it keeps. Called once for every frame, drawn or not.
void advanceFrame(std::uint32_t t, ShowState& state);

// Everything of the frame at t but the swap, so that it can be read back:
// a function of t and the state alone.
void drawFrame(std::uint32_t t, const ShowState& state);

// One layer as the frame draws it at t: only if t is inside its window.
void drawLayerIfShown(Layer layer, std::uint32_t t, const ShowState& state);

// The frame a live show draws at t: advanced, then drawn (not presented).
void playFrame(std::uint32_t t, ShowState& state);

// playFrame, then present it.
void renderFrame(std::uint32_t t, ShowState& state);

// The snow's seed wherever two drawings of the show must agree flake for
// flake: the capture, the frame digests, the frame benchmark and the web
// page's checks. The live show seeds it from the clock instead.
constexpr unsigned referenceSnowSeed = 12345;

// How often a live show draws, as taken for bringing a state to a moment:
// the main loop's 10 ms pause and a few ms of drawing on the machines the
// show was made on. The snow falls a step per frame, so this sets how far.
constexpr std::uint32_t nominalFrameMs = 15;

// A fresh state brought to the moment t of the show as a live show would
// have left it: advanced through a frame every nominalFrameMs before t.
void advanceStateTo(std::uint32_t t, ShowState& state);
