// The singer, lip-synced to the verse, with spins, hearts and a fade.
#pragma once

#include <cstdint>

#include "timeline/beat.h"

// The layer's window: from the title screen's end to the greetings.
constexpr TimeWindow singerWindow = {85000, 111000};

// Whether the singer's mouth is open at t: inside a sung syllable.
bool mouthOpenAt(std::uint32_t t);

// Whether the heart flashes beside her at t.
bool heartShownAt(std::uint32_t t);

// How far she has spun at t, in degrees: 0 to 360 through each of the three
// half-second spins, 0 otherwise.
float singerSpinDegrees(std::uint32_t t);

// Her size as a share of the screen: 1 until the beat kicks in, then up to
// about 1.25 on every beat.
float singerGrowth(std::uint32_t t);

// Her brightness: 1, then down to black over the layer's last second in
// 255 steps.
float singerBrightness(std::uint32_t t);

void drawSingerLayer(std::uint32_t t);
