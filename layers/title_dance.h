// The title screen: the title sheet on white with the Santa dancing to the beat.
#pragma once

#include <cstdint>

#include "timeline/beat.h"

// The layer's window: from the ride's end to the singer.
constexpr TimeWindow titleDanceWindow = {74000, 85000};

// How the title screen shows at t: not at all, dancing (opaque), or fading
// with the alpha of both the white screen and the title.
struct TitleShade {
    bool drawn = false;
    bool dancing = false;
    float alpha = 1;
};

// The white screen and the title fade in, the Santa dances under the title,
// then everything fades out again; the spans meet without a gap.
TitleShade titleShade(std::uint32_t t);

// The Santa's drawn size as a share of its picture's: 0.75 at mid-beat,
// about 0.94 on the beat.
float santaScale(std::uint32_t t);

// How far the Santa sits from its pivot along its tipped x axis, as a share
// of its picture's width: it bounces out on the beat.
float santaShift(std::uint32_t t);

void drawTitleDanceLayer(std::uint32_t t);
