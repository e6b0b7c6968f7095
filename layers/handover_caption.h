// The caption that hands the stage to the singer, flashing over the title.
#pragma once

#include <cstdint>

#include "timeline/beat.h"

// The layer's window: three beats over the title screen, before it fades.
constexpr TimeWindow handOverCaptionWindow = {81875, 83000};

// Whether the caption is lit at t: three flashes, in the second half of
// each beat inside its window.
bool handOverCaptionShown(std::uint32_t t);

void drawHandOverCaptionLayer(std::uint32_t t);
