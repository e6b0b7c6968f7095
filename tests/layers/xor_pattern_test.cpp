// The exclusive-or pattern: its phase and colours at their boundaries, and
// the flicker read back from real frames.
#include <gtest/gtest.h>

#include <algorithm>

#include "gl_window.h"
#include "layers/xor_pattern.h"

TEST(XorPattern, PhaseWrapsAtThePeriodAndCellColoursFollowTheirPlace)
{
    EXPECT_EQ(xorPhase(119999), 255);
    EXPECT_EQ(xorPhase(120000), 0);
    const std::pair<std::array<int, 2>, std::array<float, 3>> colours[] = {
        {{0, 0}, {0, 0, 0}}, {{255, 0}, {1, 1, 0}}, {{128, 128}, {0, 128 / 255.0f, 128 / 255.0f}}};
    for (const auto& [cell, rgb] : colours) {
        const XorCellColour colour = xorCellColour(cell[0], cell[1]);
        EXPECT_EQ((std::array<float, 3>{colour.red, colour.green, colour.blue}), rgb) << cell[0] << ", " << cell[1];
    }
}

TEST(XorPatternLayer, ShowsEveryCellOnlyOnTheFrameThePhaseChanges)
{
    // Phase 63 from 111001, 64 from 111012.
    const auto cellsShownAt = [](std::uint32_t t, int phase) {
        const auto screen = drawSceneAlone(XorPatternLayer, t);
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
    const auto samePhase = drawSceneAlone(XorPatternLayer, 111011);
    EXPECT_TRUE(std::all_of(samePhase.begin(), samePhase.end(), [](std::uint8_t v) { return v == 0; }));
    EXPECT_EQ(cellsShownAt(111012, 64), xorCells);
}
