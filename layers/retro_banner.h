// The retro banner: a sheet with one line of blocky lettering drops in from
// above, rests in the middle of the screen for two seconds and drops out
// below, announcing the 8-bit computer that follows. Linear, never faded.
#pragma once

#include <cstdint>

#include "timeline/beat.h"

// The layer's window: four seconds between the chase and the 8-bit computer.
constexpr TimeWindow retroBannerWindow = {beats(408), 156999};

// The y of the sheet's centre at t inside the layer's window, for a sheet of
// the given height: from wholly above the screen to its centre, and from
// there towards wholly below it.
float bannerCentreY(std::uint32_t t, float sheetHeight);

void drawRetroBannerLayer(std::uint32_t t);
