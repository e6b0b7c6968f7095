// The credits: five cards, one after another.
#pragma once

#include <cstdint>

#include "timeline/beat.h"

// The layer's window: five cards of three seconds.
constexpr TimeWindow creditsWindow = {183500, 198500};

void drawCreditsLayer(std::uint32_t t);
