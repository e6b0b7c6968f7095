// The imitation 8-bit computer loading the show: its blue text screen with a
// blinking cursor, then a typed load command scrolling past at ten times its
// size, then the loaded logo fading in over the text, and at last the
// snowman bouncing to the beat below the logo.
#pragma once

#include <cstdint>
#include <optional>

#include "assets/texture_store.h"
#include "timeline/beat.h"

// The layer's window: from the banner to the credits.
constexpr TimeWindow retroComputerWindow = {157000, 183499};

// The text screen at time since the layer's start: the cursor is off for
// the first 376 ms of every two beats and on for the rest.
const ImageRef& textScreenAt(std::uint32_t sinceStartMs);

// The centre x of the scrolling command line, if it is drawn at t.
std::optional<float> commandLineX(std::uint32_t t);

// The logo's alpha, if it is drawn at t.
std::optional<float> logoAlpha(std::uint32_t t);

// The dancing snowman's size factor, if he is drawn at t: his own size at
// mid-beat, about a quarter bigger on the beat.
std::optional<float> snowmanBounce(std::uint32_t t);

void drawRetroComputerLayer(std::uint32_t t);
