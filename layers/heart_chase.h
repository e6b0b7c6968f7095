// The heart chase: a red heart and its pursuers cross the screen in three
// passes of 12125 ms, one after another without gap. Along the top the
// snowman chases the heart leftwards; on a white screen along the middle
// Santa, rocking on the beat, chases it rightwards; along the bottom the
// heart chases the snowman back to the left.
#pragma once

#include <cstdint>

#include "app/show_time.h"
#include "assets/texture_store.h"
#include "layers/santa_rock.h"

// The scene runs from 116626 to 152999 ms.
constexpr TimeWindow heartChaseWindow{116625, 152999};
constexpr TimeWindow topPassWindow{116625, 128750};
constexpr TimeWindow whitePassWindow{128750, 140875};
constexpr TimeWindow bottomPassWindow{140875, 153000};

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

// The snowman's waddle, one step per half beat: the picture for a time
// measured from the start of the walk.
const ImageRef& walkingSnowman(std::uint32_t walkMs);

// Draws the scene for the current globaltime, in the show's 2D state; the
// scene decides from the time by itself whether it draws.
void HeartChaseLayer();
