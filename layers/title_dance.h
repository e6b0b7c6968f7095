// The title screen: the title sheet on white with the Santa dancing to the beat.
#pragma once

#include <cstdint>

#include "app/show_time.h"
#include "layers/santa_rock.h"

// The white screen and the title fade in, the Santa dances under the title,
// then everything fades out again; the spans meet without a gap.
constexpr TimeWindow titleFadeInWindow{74000, 76000};
constexpr TimeWindow titleDanceWindow{76000, 83000};
constexpr TimeWindow titleFadeOutWindow{83000, 85000};

// How the title screen shows at t: not at all, dancing (opaque), or fading
// with the alpha of both the white screen and the title.
struct TitleShade {
    bool drawn = false;
    bool dancing = false;
    float alpha = 1;
};

TitleShade titleShade(std::uint32_t t);

// The Santa's drawn size as a share of its picture's: 0.75 at mid-beat,
// about 0.94 on the beat.
float santaScale(std::uint32_t t);

// How far the Santa sits from its pivot along its tipped x axis, as a share
// of its picture's width: it bounces out on the beat.
float santaShift(std::uint32_t t);

// Draws the scene for the current globaltime, in the show's 2D state; the
// scene decides from the time by itself whether it draws.
void TitleDanceLayer();
