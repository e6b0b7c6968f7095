// The figures that appear in more than one layer, moving the same way
// wherever they are: Santa rocking on the beat (the title screen, the
// chase) and the snowman's waddle (the chase, the 8-bit computer).
#pragma once

#include <cstdint>

#include "assets/texture_store.h"
#include "timeline/beat.h"

constexpr float santaTiltMaxDegrees = 15;

// Santa's tilt at t: tipped clockwise on screen for the first beat of each
// pair, the other way for the second, by the clock.
inline float santaTiltDegrees(std::uint32_t t)
{
    return t % twoBeatsMs <= beatMs ? santaTiltMaxDegrees : -santaTiltMaxDegrees;
}

// The snowman's waddle, one step per half beat (leaning one way, upright,
// leaning the other way, upright): the picture for a time measured from the
// start of the walk.
const ImageRef& walkingSnowman(std::uint32_t walkMs);
