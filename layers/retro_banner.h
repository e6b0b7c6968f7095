// The retro banner: a sheet with one line of blocky lettering drops in from
// above, rests in the middle of the screen for two seconds and drops out
// below, announcing the 8-bit computer that follows. Linear, never faded.
#pragma once

#include <cstdint>

#include "app/show_time.h"

// The scene runs from 153001 to 156999 ms.
constexpr TimeWindow retroBannerWindow{153000, 156999};
constexpr TimeWindow bannerDropInWindow{153000, 154000};
constexpr TimeWindow bannerDropOutWindow{156000, 157000};

// The y of the sheet's centre at t inside the scene, for a sheet of the
// given height: from wholly above the screen to its centre, and from there
// towards wholly below it.
float bannerCentreY(std::uint32_t t, float sheetHeight);

// Draws the scene for the current globaltime, in the show's 2D state; the
// scene decides from the time by itself whether it draws.
void RetroBannerLayer();
