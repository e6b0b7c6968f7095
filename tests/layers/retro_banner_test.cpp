// The dropping banner: where its sheet is at the edges of each move, and
// where its lettering shows on screen on the way in and out.
#include <gtest/gtest.h>

#include "gl_window.h"
#include "layers/retro_banner.h"

TEST(RetroBanner, DropsInRestsAndDropsOutLinearly)
{
    const std::pair<std::uint32_t, float> cases[] = {
        {153001, -766.848f}, {153500, -192}, {154000, 384}, {156500, 960}, {156999, 1534.848f}};
    for (const auto& [t, y] : cases) {
        EXPECT_NEAR(bannerCentreY(t, 768), y, 0.01f) << t;
    }
}

TEST(RetroBanner, LetteringCrossesTheScreenFromTopToBottom)
{
    // The lettering sits on rows 357 to 416 of its 768-row sheet.
    const std::vector<std::uint8_t> black(screenRgbBytes, 0);
    const std::pair<std::uint32_t, std::pair<int, int>> cases[] = {
        {153000, noRows}, {153750, {69, 128}}, {156250, {645, 704}}, {157000, noRows}};
    for (const auto& [t, rows] : cases) {
        const auto [top, bottom] = differingRows(drawLayerAlone(Layer::RetroBanner, t), black);
        EXPECT_NEAR(top, rows.first, 1) << t;
        EXPECT_NEAR(bottom, rows.second, 1) << t;
    }
    drawFrameAt(155000);
    EXPECT_EQ(differingRows(readScreen(), black), std::make_pair(357, 416)) << "resting, and nothing else on screen";
}
