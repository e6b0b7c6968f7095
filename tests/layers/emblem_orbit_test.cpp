// The orbiting emblem along its turn, and read back from the screen against
// the picture drawn plainly at the centre.
#include <gtest/gtest.h>

#include "assets/loader.h"
#include "layers/emblem_orbit.h"
#include "overlay/primitives.h"
#include "gl_window.h"

namespace {

struct Box {
    int left = 1024, top = 768, right = -1, bottom = -1;
};

// The smallest box around everything drawn on the black screen.
Box drawnBox()
{
    const auto screen = readScreen();
    Box box;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            if (pixelIn(screen, x, y) != std::array<std::uint8_t, 3>{0, 0, 0}) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
            }
        }
    }
    return box;
}

}  // namespace

TEST(EmblemOrbit, TurnsClockwiseOnceWhileGrowingToTwiceItsSize)
{
    const struct {
        std::uint32_t t;
        bool drawn;
        float x, y, scale;
    } cases[] = {{68000, false, 0, 0, 0}, {68001, true, 712, 384, 1.0f / 3000}, {69500, true, 512, 584, 0.5f},
                 {71000, true, 312, 384, 1}, {72500, true, 512, 184, 1.5f}, {74000, false, 0, 0, 0}};
    for (const auto& c : cases) {
        const EmblemPlace place = emblemPlace(c.t);
        EXPECT_EQ(place.drawn, c.drawn) << c.t;
        EXPECT_TRUE(!c.drawn || (std::abs(place.x - c.x) < 0.25f && std::abs(place.y - c.y) < 0.25f &&
                                 std::abs(place.scale - c.scale) < 0.001f))
            << c.t;
    }
}

TEST(EmblemOrbit, ScreenShowsItUprightWhereAndAsLargeAsItShouldBe)
{
    const auto plainly = [] {
        glColor3f(1, 1, 1);
        drawTexturedQuad(emblem, 512, 384, static_cast<float>(emblem.width), static_cast<float>(emblem.height));
    };
    drawSceneAlone(plainly, 0);
    const Box plain = drawnBox();
    drawSceneAlone(EmblemOrbitLayer, 71000);
    const Box left = drawnBox();
    EXPECT_TRUE(left.left == plain.left - 200 && left.right == plain.right - 200 && left.top == plain.top &&
                left.bottom == plain.bottom);
    drawSceneAlone(EmblemOrbitLayer, 69500);
    const Box below = drawnBox();
    EXPECT_NEAR(below.left + below.right, plain.left + plain.right, 3);
    EXPECT_NEAR(below.top + below.bottom, plain.top + plain.bottom + 400, 3);
    EXPECT_NEAR(below.right - below.left, (plain.right - plain.left) / 2.0, 2);
}
