// Santa rocks from side to side on the beat, the same way wherever he
// dances (the title screen, the chase): tipped clockwise on screen for the
// first beat of each pair, the other way for the second, by the clock.
#pragma once

#include <cstdint>

#include "app/show_time.h"

constexpr float santaTiltMaxDegrees = 15;

inline float santaTiltDegrees(std::uint32_t t)
{
    return t % twoBeatsMs <= beatMs ? santaTiltMaxDegrees : -santaTiltMaxDegrees;
}
