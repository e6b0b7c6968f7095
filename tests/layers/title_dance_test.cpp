// The title screen: its fades and dance at the span edges, and the Santa
// tipping across the beat.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "layers/sprites.h"
#include "layers/title_dance.h"
#include "gl_window.h"

namespace {

constexpr std::array<std::uint8_t, 3> white{255, 255, 255};

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
        EXPECT_TRUE(shade.drawn == c.drawn && (!c.drawn || (shade.dancing == c.dancing && shade.alpha == c.alpha)))
            << c.t;
    }
    drawLayerAlone(Layer::TitleDance, 75000);
    EXPECT_NEAR(pixelAt(5, 5)[0], 128, 2) << "white at half strength mid-fade";
    drawLayerAlone(Layer::TitleDance, 80000);
    EXPECT_EQ(pixelAt(5, 5), white);
    EXPECT_EQ(pixelAt(700, 450), white);
}

TEST(TitleDance, SantaTipsClockwiseThenBackAcrossTheBeat)
{
    // Above the pivot a clockwise tip moves the Santa's left edge, the first
    // column of row 250 that is not white, to the right.
    const auto santaLeftEdgeAt = [](std::uint32_t t) {
        drawLayerAlone(Layer::TitleDance, t);
        int x = 0;
        while (x < screenWidth && pixelAt(x, 250) == white) {
            ++x;
        }
        return x;
    };
    EXPECT_EQ(santaTiltDegrees(76875), 15);
    EXPECT_EQ(santaTiltDegrees(76876), -15);
    EXPECT_GT(santaLeftEdgeAt(76875) - santaLeftEdgeAt(76876), 50);
}
