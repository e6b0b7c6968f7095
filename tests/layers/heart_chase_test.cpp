// The heart chase read back from real frames: the three passes, each on its
// own line and in its own direction, and the snowman's waddle.
#include <gtest/gtest.h>

#include <SDL_opengl.h>

#include "assets/loader.h"
#include "gl_window.h"
#include "layers/heart_chase.h"
#include "layers/sprites.h"
#include "overlay/primitives.h"

TEST(HeartChase, ThreePassesHandOverOffScreenAndOnlyTheMiddleOneIsOnWhite)
{
    const std::vector<std::uint8_t> black(screenRgbBytes, 0), white(screenRgbBytes, 255);
    // At the edges of the span and of each pass the screen is bare. Part-way
    // through each pass the heart is away from the middle of the screen, on
    // the side that shows which way it crosses: leftwards along the top,
    // rightwards on white, leftwards along the bottom.
    const struct {
        std::uint32_t t;
        const std::vector<std::uint8_t>* bare;
        int heartX, heartY;
    } cases[] = {{116625, &black, 0, 0}, {121172, nullptr, 768, 128}, {128750, &black, 0, 0},
                 {128751, &white, 0, 0}, {133297, nullptr, 256, 384}, {140875, &white, 0, 0},
                 {140876, &black, 0, 0}, {148453, nullptr, 512, 640}, {153000, &black, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        const auto screen = drawLayerAlone(Layer::HeartChase, c.t);
        if (c.bare != nullptr) {
            EXPECT_EQ(differingRows(screen, *c.bare), noRows);
        } else {
            const auto red = pixelIn(screen, c.heartX, c.heartY);
            EXPECT_TRUE(red[0] > 200 && red[1] < 60 && red[2] < 60);
        }
    }
    drawFrameAt(134813);
    EXPECT_EQ(pixelAt(20, 747), pixelIn(white, 0, 0)) << "the white screen covers the layers before it";
}

TEST(HeartChase, SnowmanWaddlesOnTheBeatCountedFromTheStartOfTheChase)
{
    const std::pair<std::uint32_t, const ImageRef*> steps[] = {{0, &snowman2},   {187, &snowman2}, {188, &snowman3},
                                                               {375, &snowman3}, {376, &snowman1}, {562, &snowman1},
                                                               {563, &snowman3}, {749, &snowman3}};
    for (const auto& [walkMs, picture] : steps) {
        EXPECT_EQ(&walkingSnowman(walkMs), picture) << walkMs;
    }
    // 40 cycles into the chase, in the bottom pass: the snowman on screen is
    // exactly the step's picture at his place.
    for (const auto& [t, picture] : {std::pair{146812u, &snowman2}, {146813u, &snowman3}}) {
        SCOPED_TRACE(t);
        const auto frame = drawLayerAlone(Layer::HeartChase, t);
        const ChasePositions at = chasePositionsAt(t);
        glClear(GL_COLOR_BUFFER_BIT);
        drawTexturedQuad(*picture, at.companionX, at.y, 141, 171);
        const int left = static_cast<int>(at.companionX) - 72;
        EXPECT_EQ(differingRows(frame, readScreen(), left, left + 144), noRows);
    }
}
