// The opening titles over the ride: seven cards, one after another.
#pragma once

#include <cstdint>

void drawOpeningTitlesLayer(std::uint32_t t);
