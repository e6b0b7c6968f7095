// The orbiting emblem read back from the screen against the picture drawn
// plainly at the centre.
#include <gtest/gtest.h>

#include "assets/loader.h"
#include "layers/emblem_orbit.h"
#include "overlay/primitives.h"
#include "gl_window.h"

namespace {

// A box around nothing, so that the first pixel found sets all its sides.
constexpr std::array<int, 4> noBox{screenWidth, screenHeight, -1, -1};

// The smallest box around everything drawn on a black screen: left, top,
// right, bottom.
std::array<int, 4> drawnBox(const std::vector<std::uint8_t>& screen)
{
    std::array<int, 4> box = noBox;
    for (int y = 0; y < screenHeight; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            if (pixelIn(screen, x, y) != std::array<std::uint8_t, 3>{}) {
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
            }
        }
    }
    return box;
}

}  // namespace

TEST(EmblemOrbit, TurnsClockwiseUprightWhileGrowingOnlyInsideItsSixSeconds)
{
    const auto plainly = [] {
        glColor3f(1, 1, 1);
        drawTexturedQuad(emblem, 512, 384, static_cast<float>(emblem.width), static_cast<float>(emblem.height));
    };
    const auto [left, top, right, bottom] = drawnBox(drawAlone(plainly));
    // At 69500 a quarter turn round, below the centre at (512, 584), half size.
    const auto below = drawnBox(drawLayerAlone(Layer::EmblemOrbit, 69500));
    EXPECT_NEAR(below[0] + below[2], left + right, 3);
    EXPECT_NEAR(below[1] + below[3], top + bottom + 400, 3);
    EXPECT_NEAR(below[2] - below[0], (right - left) / 2.0, 2);
    // At 71000 half way round, left of it at (312, 384), full size.
    EXPECT_EQ(drawnBox(drawLayerAlone(Layer::EmblemOrbit, 71000)),
              (std::array<int, 4>{left - 200, top, right - 200, bottom}));
    // Twice its size on its last millisecond, gone on the next.
    EXPECT_NE(drawnBox(drawLayerAlone(Layer::EmblemOrbit, 73999)), noBox);
    EXPECT_EQ(drawnBox(drawLayerAlone(Layer::EmblemOrbit, 74000)), noBox);
}
