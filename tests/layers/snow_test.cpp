// Falling snow: how the field falls and sways, the random flakes a seed
// picks, and the snow read back from real frames.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>

#include "assets/loader.h"
#include "gl_window.h"
#include "layers/snow.h"
#include "overlay/timed_card.h"

namespace {

constexpr std::uint32_t snowStarts = beats(96) + 1;

}  // namespace

TEST(SnowField, EachColumnFallsAtItsOwnSpeedIntoTheDriftAndTheEdgesNeverMove)
{
    const struct {
        int column, fall, lowestDrawnRow, restingRow;
    } cases[] = {{1, 3, 378, 381}, {2, 4, 376, 380}, {3, 2, 378, 380}, {0, 0, -1, 0}, {511, 0, -1, 0}};
    const auto field = std::make_unique<SnowField>();
    for (const auto& c : cases) {
        field->addFlake(c.column);
    }
    std::map<int, std::vector<int>> drawnRows;
    for (int frame = 0; frame < 200; ++frame) {
        field->drawFlakes(0, [&drawnRows](int column, int row) { drawnRows[column].push_back(row); });
        field->fall();
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        const auto& rows = drawnRows[c.column];
        EXPECT_EQ(rows.size() > 1 ? rows[1] : 0, c.fall);
        EXPECT_EQ(rows.empty() ? -1 : rows.back(), c.lowestDrawnRow);
        EXPECT_TRUE(field->flakeAt(c.restingRow, c.column));
    }
}

TEST(SnowSway, NeighbouringColumnsSwingOppositeWaysAndTheEdgesHangStill)
{
    const struct {
        std::uint32_t t;
        int column, shiftPx;
    } cases[] = {{36750, 17, 30}, {36750, 16, -30}, {36750, 15, 0},   {36750, 496, 0},
                 {37500, 17, 0},  {38250, 17, -30}, {38250, 16, 30}};
    for (const auto& c : cases) {
        EXPECT_EQ(snowCellPx * snowFlakeShift(c.column, snowSway(c.t)), c.shiftPx) << c.t << ", " << c.column;
    }
}

TEST(SnowRandom, PicksTheSameFlakesAsTheCLibraryFromTheSameSeed)
{
    // So that a seed gives the snow it always gave.
    for (unsigned seed : {0u, 1u, 7u, 1765432109u}) {
        std::srand(seed);
        SnowRandom random(seed);
        for (int i = 0; i < 1000; ++i) {
            ASSERT_EQ(random.next(), std::rand()) << "seed " << seed << ", number " << i;
        }
    }
}

TEST(SnowLayer, StartsAsAFewHalfWhiteFlakesAlongTheTopAndFallsTheSameWayFromTheSameSeed)
{
    const auto snowAfter = [](int frames, unsigned seed) {
        const auto state = std::make_unique<ShowState>(seed);
        std::vector<std::uint8_t> screen;
        for (int frame = 0; frame < frames; ++frame) {
            screen = drawLayerAlone(Layer::Snow, snowStarts + static_cast<std::uint32_t>(frame), *state);
        }
        return screen;
    };
    const auto first = snowAfter(1, 7);
    EXPECT_EQ(differingRows(first, std::vector<std::uint8_t>(first.size())), std::make_pair(0, 0));
    int flakePixels = 0;
    for (int x = 0; x < screenWidth; ++x) {
        if (pixelIn(first, x, 0) != std::array<std::uint8_t, 3>{}) {
            EXPECT_NEAR(pixelIn(first, x, 0)[0], 128, 1) << "half-transparent white at " << x;
            ++flakePixels;
        }
    }
    EXPECT_GT(flakePixels, 0);
    EXPECT_LE(flakePixels, 8 * snowCellPx) << "at most the eight new flakes";

    // After a few seconds of frames it falls from the top edge down to the
    // drift just above the bottom one, and the same seed gives the same
    // snow, another seed other snow.
    const auto settled = snowAfter(250, 7);
    const auto [top, bottom] = differingRows(settled, std::vector<std::uint8_t>(settled.size()));
    EXPECT_EQ(top, 0);
    EXPECT_GT(bottom, 750);
    EXPECT_LT(bottom, 760);
    EXPECT_EQ(settled, snowAfter(250, 7));
    EXPECT_NE(settled, snowAfter(250, 8));
}

TEST(SnowLayer, FallsOverTheLastOpeningCard)
{
    const std::uint32_t t = 40000;
    const auto state = std::make_unique<ShowState>(1);
    for (int frame = 0; frame < 150; ++frame) {
        drawLayerAlone(Layer::Snow, t, *state);
    }
    // The card over black and over white agree only where it is opaque; one
    // channel is enough to tell.
    const auto cardOver = [t](float grey) {
        glClearColor(grey, grey, grey, 1);
        const auto screen = drawAlone([t] { drawTimedCard(t, {{beats(96), beats(112)}, asideSnowLine}); });
        glClearColor(0, 0, 0, 1);
        return screen;
    };
    const auto overBlack = cardOver(0), overWhite = cardOver(1);
    drawFrameAt(t, *state);
    const auto frame = readScreen();
    int flakePixelsOnCard = 0;
    for (std::size_t green = 1; green < frame.size(); green += 3) {
        if (overBlack[green] == overWhite[green] && frame[green] != overBlack[green]) {
            ++flakePixelsOnCard;
            EXPECT_NEAR(frame[green], (overBlack[green] + 255) / 2.0, 2) << "pixel " << green / 3;
        }
    }
    EXPECT_GT(flakePixelsOnCard, 0);
}
