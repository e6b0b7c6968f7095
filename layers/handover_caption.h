// The caption that hands the stage to the singer, flashing over the title.
#pragma once

#include <cstdint>

// Whether the caption is lit at t: three flashes, in the second half of
// each beat inside its window.
bool handOverCaptionShown(std::uint32_t t);

void drawHandOverCaptionLayer(std::uint32_t t);
