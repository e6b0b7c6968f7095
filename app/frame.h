// One frame of the show for the current globaltime: the script of what is
// painted over what, back to front.
#pragma once

#include <cstdint>

#include "app/show_time.h"

// The windows the script itself opens around three scenes and the blinking
// hand-over caption.
constexpr TimeWindow singerWindow{85000, 111000};
constexpr TimeWindow snowWindow{36000, 111000};
constexpr TimeWindow xorPatternWindow{111000, 116625};
constexpr TimeWindow handOverBlinkWindow{81875, 83000};

// Whether the hand-over caption is lit at t: three flashes in the second
// half of each beat inside its window.
bool handOverCaptionShown(std::uint32_t t);

// Everything of the frame but the swap, so tests can read the frame back.
void drawFrame();

// drawFrame, then present it.
void renderFrame();
