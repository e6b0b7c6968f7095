// Timed cards: one picture in the middle of the screen while
// start < globaltime <= start + duration, fading in over its first second
// and out over its last. Stateless: callers call every card every frame.
#pragma once

#include <cstdint>

#include "assets/texture_store.h"

constexpr std::uint32_t cardFadeMs = 1000;

// How a card is shown at time t: not at all, opaque, or white with an alpha.
struct CardShade {
    bool drawn = false;
    bool faded = false;  // alpha applies; otherwise fully opaque
    float alpha = 1;
};

CardShade cardShade(std::uint32_t duration, std::uint32_t start, std::uint32_t t);

// The picture at its own size, centred on the screen, at globaltime. Outside
// its window it does nothing, not even set a colour.
void drawTimedCard(std::uint32_t duration, std::uint32_t start, ImageRef image);
