// The opening titles over the ride: seven cards, one after another.
#pragma once

#include <cstdint>

#include "timeline/beat.h"

// The layer's window: seven cards of sixteen beats from the music's start, over the ride.
constexpr TimeWindow openingTitlesWindow = {0, beats(112)};

void drawOpeningTitlesLayer(std::uint32_t t);
