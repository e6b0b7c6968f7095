// The title screen: its fades and dance at the span edges, the Santa tipping
// across the beat, and the hand-over caption flashing over it all.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "layers/title_dance.h"
#include "gl_window.h"

namespace {

constexpr std::array<std::uint8_t, 3> white{255, 255, 255};

// The first column in row y that is not white: the Santa's left edge.
int santaLeftEdge(int y)
{
    int x = 0;
    while (x < 1024 && pixelAt(x, y) == white) {
        ++x;
    }
    return x;
}

}  // namespace

TEST(TitleDance, FadesInDancesAndFadesOutAtItsSpanEdges)
{
    const struct {
        std::uint32_t t;
        bool drawn, dancing;
        float alpha;
    } cases[] = {{74000, false, false, 0}, {74001, true, false, 0.0005f}, {76000, true, false, 1},
                 {76001, true, true, 1},   {83000, true, true, 1},        {83001, true, false, 0.9995f},
                 {85000, true, false, 0},  {85001, false, false, 0}};
    for (const auto& c : cases) {
        const TitleShade shade = titleShade(c.t);
        EXPECT_EQ(shade.drawn, c.drawn) << c.t;
        EXPECT_TRUE(!c.drawn || (shade.dancing == c.dancing && shade.alpha == c.alpha)) << c.t;
    }
    drawSceneAlone(TitleDanceLayer, 75000);
    EXPECT_NEAR(pixelAt(5, 5)[0], 128, 2) << "white at half strength mid-fade";
    drawSceneAlone(TitleDanceLayer, 80000);
    EXPECT_EQ(pixelAt(5, 5), white);
    EXPECT_EQ(pixelAt(700, 450), white);
}

TEST(TitleDance, SantaTipsClockwiseThenBackAcrossTheBeatAndGrowsOnIt)
{
    EXPECT_EQ(santaTiltDegrees(76875), 15);
    EXPECT_EQ(santaTiltDegrees(76876), -15);
    EXPECT_FLOAT_EQ(santaScale(77063), 0.75f) << "mid-beat";
    EXPECT_FLOAT_EQ(santaScale(76875), 0.75f * (1 + 188.0f / 750)) << "on the beat";
    // Above the pivot a clockwise tip moves the Santa to the right.
    drawSceneAlone(TitleDanceLayer, 76875);
    const int tippedRight = santaLeftEdge(250);
    drawSceneAlone(TitleDanceLayer, 76876);
    EXPECT_GT(tippedRight - santaLeftEdge(250), 50);
}

TEST(TitleDance, HandOverCaptionFlashesOverTheTitleScreen)
{
    // Right of the Santa, under the title, the screen is white until the
    // caption's dark lettering flashes over it.
    const auto darkPixels = [](std::uint32_t t) {
        drawFrameAt(t);
        const auto screen = readScreen();
        int dark = 0;
        for (int y = 497; y <= 600; ++y) {
            for (int x = 580; x < 680; ++x) {
                const auto rgb = pixelIn(screen, x, y);
                dark += std::max({rgb[0], rgb[1], rgb[2]}) < 128;
            }
        }
        return dark;
    };
    EXPECT_EQ(darkPixels(81938), 0);
    EXPECT_GT(darkPixels(81939), 500);
}
