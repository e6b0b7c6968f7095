// The heart chase: a red heart and its pursuers cross the screen in three
// passes of 12125 ms, one after another without gap. Along the top the
// snowman chases the heart leftwards; on a white screen along the middle
// Santa, rocking on the beat, chases it rightwards; along the bottom the
// heart chases the snowman back to the left.
#pragma once

#include <cstdint>

#include "timeline/beat.h"

// The layer's window: three passes from the greetings' end, to the beat before the banner.
constexpr TimeWindow heartChaseWindow = {beats(311), beats(408) - 1};

enum class ChasePass { None, Top, White, Bottom };

// Where the two figures are at one instant: the heart, and its companion
// (the snowman in the top and bottom passes, Santa in the white one), as the
// centres of their pictures on a shared line.
struct ChasePositions {
    ChasePass pass = ChasePass::None;
    float heartX = 0;
    float companionX = 0;
    float y = 0;
};

ChasePositions chasePositionsAt(std::uint32_t t);

void drawHeartChaseLayer(std::uint32_t t);
