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
    } cases[] = {{36750, 17, 30}, {36750, 16, -30}, {36750, 495, 30}, {36750, 15, 0}, {36750, 496, 0},
                 {37500, 17, 0},  {37500, 16, 0},   {38250, 17, -30}, {38250, 16, 30}};
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
    useShowProjection();
    glClear(GL_COLOR_BUFFER_BIT);
    globaltime = t;
    SnowLayer();
    expectDrawerLeftStateClean();
    const auto screen = readScreen();
    std::set<int> lit;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            if (pixelIn(screen, x, y)[0] != 0) {
                ASSERT_EQ(y, 0) << x;
                EXPECT_NEAR(pixelIn(screen, x, y)[0], 128, 1) << "half-transparent white";
                lit.insert(x);
            }
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
    // The card over black and over white agree only where it is opaque.
    const auto cardOver = [t](float grey) {
        useShowProjection();
        glClearColor(grey, grey, grey, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0, 0, 0, 1);
        globaltime = t;
        drawTimedCard(6000, 36000, asideSnowLine);
        return readScreen();
    };
    const auto overBlack = cardOver(0), overWhite = cardOver(1);
    drawFrameAt(t);
    const auto frame = readScreen();
    int flakePixelsOnCard = 0;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            const auto card = pixelIn(overBlack, x, y), shown = pixelIn(frame, x, y);
            if (card == pixelIn(overWhite, x, y) && shown != card) {
                ++flakePixelsOnCard;
                EXPECT_NEAR(shown[1], (card[1] + 255) / 2.0, 2) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(flakePixelsOnCard, 0);
}
