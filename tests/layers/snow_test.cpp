// Falling snow: how the field falls and sways, and flakes read back from
// real frames.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

#include "app/show_clock.h"
#include "assets/loader.h"
#include "gl_window.h"
#include "layers/snow.h"
#include "overlay/timed_card.h"

TEST(SnowField, EachColumnFallsAtItsOwnSpeedIntoTheDriftAndTheEdgesNeverMove)
{
    const struct {
        int column, fall, lowestDrawnRow, restingRow;
    } cases[] = {{1, 3, 378, 381}, {2, 4, 376, 380}, {3, 2, 378, 380}, {0, 0, -1, 0}, {511, 0, -1, 0}};
    static SnowField field;
    for (const auto& c : cases) {
        field.seed(c.column);
    }
    std::map<int, std::vector<int>> drawnRows;
    for (int frame = 0; frame < 200; ++frame) {
        field.step(0, [&drawnRows](int column, int row) { drawnRows[column].push_back(row); });
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        const auto& rows = drawnRows[c.column];
        EXPECT_EQ(rows.size() > 1 ? rows[1] : 0, c.fall);
        EXPECT_EQ(rows.empty() ? -1 : rows.back(), c.lowestDrawnRow);
        EXPECT_TRUE(field.flakeAt(c.restingRow, c.column));
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

TEST(SnowLayer, FirstFrameShowsExactlyTheEightNewFlakesInTheTopRow)
{
    const std::uint32_t t = 36750;
    std::srand(7);
    std::set<int> expected;
    for (int i = 0; i < 8; ++i) {
        const int column = std::rand() % snowColumns;
        const int centre = snowCellPx * (column + snowFlakeShift(column, snowSway(t)));
        if (column >= snowFirstColumn && column <= snowLastColumn) {
            expected.insert({centre - 1, centre});
        }
    }
    std::srand(7);
    const auto screen = drawSceneAlone(SnowLayer, t);
    EXPECT_EQ(differingRows(screen, std::vector<std::uint8_t>(screen.size())), std::make_pair(0, 0));
    std::set<int> lit;
    for (int x = 0; x < 1024; ++x) {
        if (pixelIn(screen, x, 0)[0] != 0) {
            EXPECT_NEAR(pixelIn(screen, x, 0)[0], 128, 1) << "half-transparent white";
            lit.insert(x);
        }
    }
    EXPECT_EQ(lit, expected);
}

TEST(SnowLayer, FallsOverTheLastOpeningCard)
{
    const std::uint32_t t = 40000;
    std::srand(1);
    globaltime = t;
    for (int frame = 0; frame < 150; ++frame) {
        SnowLayer();
    }
    // The card over black and over white agree only where it is opaque; one
    // channel is enough to tell.
    const auto cardOver = [t](float grey) {
        glClearColor(grey, grey, grey, 1);
        const auto screen = drawSceneAlone([] { drawTimedCard(6000, 36000, asideSnowLine); }, t);
        glClearColor(0, 0, 0, 1);
        return screen;
    };
    const auto overBlack = cardOver(0), overWhite = cardOver(1);
    drawFrameAt(t);
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
