// The 8-bit computer: the cursor's blink, the scrolling load command, the
// logo fading in and the snowman bouncing below it, by time and on screen.
#include <gtest/gtest.h>

#include "gl_window.h"
#include "layers/retro_computer.h"

namespace {

using Rgb = std::array<std::uint8_t, 3>;
const auto retroAt = [](std::uint32_t t) { return drawLayerAlone(Layer::RetroComputer, t); };

}  // namespace

TEST(RetroComputer, CursorBlinksOnTheSecondPartOfEveryTwoBeats)
{
    const std::vector<std::uint8_t> black(screenRgbBytes, 0);
    EXPECT_EQ(differingRows(retroAt(157000), black), noRows);
    EXPECT_EQ(differingRows(retroAt(183500), black), noRows);
    const Rgb paper{50, 42, 160}, cursor{122, 130, 232};
    const std::pair<std::uint32_t, Rgb> cases[] = {
        {157375, paper}, {157376, cursor}, {157749, cursor}, {157750, paper}};
    for (const auto& [t, colour] : cases) {
        const auto screen = retroAt(t);
        EXPECT_EQ(pixelIn(screen, 96, 254), colour) << t;
        EXPECT_EQ(differingRows(screen, black), std::make_pair(23, 744)) << "black bands above and below";
    }
}

TEST(RetroComputer, LoadCommandScrollsInFromTheRightAndOutToTheLeft)
{
    // Just off screen on its first and last millisecond, gone either side.
    const std::pair<std::uint32_t, std::optional<float>> cases[] = {
        {163000, {}}, {163001, 2047.317f}, {169000, -2048.0f}, {169001, {}}};
    for (const auto& [t, x] : cases) {
        const std::optional<float> got = commandLineX(t);
        EXPECT_TRUE(got.has_value() == x.has_value() && (!x || std::abs(*got - *x) < 0.001f)) << t;
    }
    // Centred on the left edge at ten times its size, the lettering (picture
    // rows 3 to 10, columns up to 175) covers about rows 313 to 392 and ends
    // about 790 px in; the resampled texture moves its edges a few pixels.
    const auto textOnly = retroAt(163000), halfway = retroAt(166000);
    const auto [top, bottom] = differingRows(textOnly, halfway);
    EXPECT_NEAR(top, 313, 4);
    EXPECT_NEAR(bottom, 392, 4);
    EXPECT_NE(differingRows(textOnly, halfway, 700, 799), noRows);
    EXPECT_EQ(differingRows(textOnly, halfway, 800, screenWidth - 1), noRows);
}

TEST(RetroComputer, LogoFadesInOverTheTextScreenAndTheSnowmanBounces)
{
    EXPECT_EQ(pixelIn(retroAt(169000), 20, 40), (Rgb{122, 130, 232}));
    const Rgb half = pixelIn(retroAt(172000), 20, 40);
    EXPECT_NEAR(half[0], 61, 2);
    EXPECT_NEAR(half[2], 116, 2);
    EXPECT_EQ(pixelIn(retroAt(175000), 20, 40), (Rgb{0, 0, 0}));
    // His own 171 px high mid-beat, about a quarter more on the beat, around y = 484.
    const auto logoOnly = retroAt(175000);
    for (const auto& [t, scale] : {std::pair{175188u, 1.0}, {175001u, 1 + 187 / 750.0}}) {
        const auto [top, bottom] = differingRows(logoOnly, retroAt(t));
        EXPECT_NEAR(top, 484 - 85.5 * scale, 1.5) << t;
        EXPECT_NEAR(bottom, 484 + 85.5 * scale, 1.5) << t;
    }
    drawFrameAt(180000);
    EXPECT_EQ(differingRows(retroAt(180000), readScreen()), noRows) << "nothing else on screen meanwhile";
}
