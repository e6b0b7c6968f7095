// The exclusive-or pattern: its phase and colours at their boundaries, and
// the flicker read back from real frames.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/show_clock.h"
#include "gl_window.h"
#include "layers/xor_pattern.h"

TEST(XorPattern, PhaseClimbsOncePerPeriodAndCellColoursFollowTheirPlace)
{
    const struct {
        std::uint32_t t;
        int phase;
    } phases[] = {{111001, 63}, {111011, 63}, {111012, 64}, {116625, 183}, {119999, 255}, {120000, 0}};
    for (const auto& p : phases) {
        EXPECT_EQ(xorPhase(p.t), p.phase) << p.t;
    }
    const struct {
        int x, y;
        float red, green, blue;
    } colours[] = {{0, 0, 0, 0, 0}, {255, 0, 1, 1, 0}, {128, 128, 0, 128 / 255.0f, 128 / 255.0f}};
    for (const auto& c : colours) {
        const XorCellColour colour = xorCellColour(c.x, c.y);
        EXPECT_EQ(std::vector<float>({colour.red, colour.green, colour.blue}),
                  std::vector<float>({c.red, c.green, c.blue}))
            << c.x << ", " << c.y;
    }
}

TEST(XorPatternLayer, ShowsEveryCellOnlyOnTheFrameThePhaseChanges)
{
    const auto cellsShownAt = [](std::uint32_t t, int phase) {
        useShowProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        globaltime = t;
        XorPatternLayer();
        const auto screen = readScreen();
        int shown = 0;
        for (int x = 0; x < xorCells; ++x) {
            const int y = xorCellRow(x, phase);
            const auto pixel = pixelIn(screen, std::min(static_cast<int>(xorCellCentreX(x)), 1023),
                                       std::min(static_cast<int>(xorCellCentreY(y)), 767));
            shown += pixel == std::array<std::uint8_t, 3>{std::uint8_t((x + y) % 256), std::uint8_t(x),
                                                          std::uint8_t(y)};
        }
        return shown;
    };
    EXPECT_EQ(cellsShownAt(111001, 63), xorCells);
    expectDrawerLeftStateClean();
    cellsShownAt(111005, 63);
    const auto samePhase = readScreen();
    EXPECT_TRUE(std::all_of(samePhase.begin(), samePhase.end(), [](std::uint8_t v) { return v == 0; }));
    EXPECT_EQ(cellsShownAt(111012, 64), xorCells);
}
