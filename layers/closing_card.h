// The closing card: the emblem with its slogan, to the end of the script.
#pragma once

#include <cstdint>

#include "timeline/beat.h"

// The layer's window: two minutes, to the end of the script.
constexpr TimeWindow closingCardWindow = {198500, 318500};

void drawClosingCardLayer(std::uint32_t t);
