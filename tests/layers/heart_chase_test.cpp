// The heart chase: who is where in each pass, the snowman's waddle and
// Santa's lean, and the passes read back from real frames.
#include <gtest/gtest.h>

#include <SDL_opengl.h>

#include "app/show_clock.h"
#include "assets/loader.h"
#include "gl_window.h"
#include "layers/heart_chase.h"
#include "overlay/primitives.h"

namespace {

using Rgb = std::array<std::uint8_t, 3>;

}  // namespace

TEST(HeartChase, ThreePassesHandOverWithBothFiguresOffScreen)
{
    const struct {
        std::uint32_t t;
        ChasePass pass;
        float heartX, companionX, y;
    } cases[] = {
        {116625, ChasePass::None, 0, 0, 0},           {116626, ChasePass::Top, 1535.83f, 1791.83f, 128},
        {122688, ChasePass::Top, 511.92f, 767.92f, 128}, {128750, ChasePass::Top, -512, -256, 128},
        {128751, ChasePass::White, -511.83f, -767.83f, 384}, {134813, ChasePass::White, 512.08f, 256.08f, 384},
        {140875, ChasePass::White, 1536, 1280, 384},  {140876, ChasePass::Bottom, 1791.83f, 1535.83f, 640},
        {152999, ChasePass::Bottom, -255.83f, -511.83f, 640}, {153000, ChasePass::None, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        const ChasePositions at = chasePositionsAt(c.t);
        EXPECT_EQ(at.pass, c.pass);
        EXPECT_NEAR(at.heartX, c.heartX, 0.01f);
        EXPECT_NEAR(at.companionX, c.companionX, 0.01f);
        EXPECT_EQ(at.y, c.y);
    }
}

TEST(HeartChase, SnowmanWaddlesAndSantaLeansOnTheBeat)
{
    const std::pair<std::uint32_t, const ImageRef*> steps[] = {
        {0, &snowman2},   {187, &snowman2}, {188, &snowman3}, {375, &snowman3}, {376, &snowman1},
        {562, &snowman1}, {563, &snowman3}, {749, &snowman3}, {750, &snowman2}};
    for (const auto& [walkMs, picture] : steps) {
        EXPECT_EQ(&walkingSnowman(walkMs), picture) << walkMs;
    }
    const std::pair<std::uint32_t, float> leans[] = {{134250, 15}, {134625, 15}, {134626, -15}, {134999, -15}};
    for (const auto& [t, degrees] : leans) {
        EXPECT_EQ(santaTiltDegrees(t), degrees) << t;
    }
}

TEST(HeartChase, OnlyTheMiddlePassIsOnWhite)
{
    const std::vector<std::uint8_t> black(1024 * 768 * 3, 0), white(1024 * 768 * 3, 255);
    // At the edges of the span and of each pass the screen is bare; in the
    // middle of each the heart is where the pass puts it.
    const struct {
        std::uint32_t t;
        const std::vector<std::uint8_t>* bare;
        int heartX, heartY;
    } cases[] = {{116625, &black, 0, 0}, {122688, nullptr, 512, 128}, {128750, &black, 0, 0},
                 {128751, &white, 0, 0}, {134813, nullptr, 512, 384}, {140875, &white, 0, 0},
                 {140876, &black, 0, 0}, {146938, nullptr, 768, 640}, {153000, &black, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        const auto screen = drawSceneAlone(HeartChaseLayer, c.t);
        if (c.bare != nullptr) {
            EXPECT_EQ(differingRows(screen, *c.bare, 0, 1023), noRows);
        } else {
            const Rgb red = pixelIn(screen, c.heartX, c.heartY);
            EXPECT_TRUE(red[0] > 200 && red[1] < 60 && red[2] < 60);
        }
    }
    drawFrameAt(134813);
    EXPECT_EQ(pixelAt(20, 747), (Rgb{255, 255, 255})) << "the white screen covers the scenes before it";
}

TEST(HeartChase, WalkCycleCountsFromTheStartOfTheChase)
{
    // 40 cycles into the chase, in the bottom pass: the snowman on screen is
    // exactly the step's picture at his place.
    const std::pair<std::uint32_t, const ImageRef*> cases[] = {
        {146812, &snowman2}, {146813, &snowman3}, {147000, &snowman3}, {147001, &snowman1}};
    for (const auto& [t, picture] : cases) {
        SCOPED_TRACE(t);
        const auto frame = drawSceneAlone(HeartChaseLayer, t);
        const ChasePositions at = chasePositionsAt(t);
        glClear(GL_COLOR_BUFFER_BIT);
        drawTexturedQuad(*picture, at.companionX, at.y, 141, 171);
        const int left = static_cast<int>(at.companionX) - 72;
        EXPECT_EQ(differingRows(frame, readScreen(), left, left + 144), noRows);
    }
}
