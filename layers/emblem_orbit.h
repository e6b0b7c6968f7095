// The group's emblem orbiting in as the ride ends.
#pragma once

#include <cstdint>

#include "timeline/beat.h"

// The layer's window: the ride's last six seconds.
constexpr TimeWindow emblemOrbitWindow = {68000, 73999};

// Where the emblem is at t: its centre on screen and its size as a share of
// its picture's.
struct EmblemPlace {
    bool drawn = false;
    float x = 0;
    float y = 0;
    float scale = 0;
};

// One clockwise turn on screen around the centre, starting to the right of
// it, while growing from nothing to twice its size; it stays upright.
EmblemPlace emblemPlace(std::uint32_t t);

void drawEmblemOrbitLayer(std::uint32_t t);
