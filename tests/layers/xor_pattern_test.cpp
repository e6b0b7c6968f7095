// The exclusive-or pattern: its phase at the period's edges, and the
// flicker read back from real frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "gl_window.h"
#include "layers/xor_pattern.h"

namespace {

// For each column of cells, the rows of cells lit at their centres.
std::vector<std::set<int>> litCells(const std::vector<std::uint8_t>& screen)
{
    std::vector<std::set<int>> rows(xorCells);
    for (int x = 0; x < xorCells; ++x) {
        for (int y = 0; y < xorCells; ++y) {
            const int px = std::min(static_cast<int>(xorCellCentreX(x)), screenWidth - 1);
            const int py = std::min(static_cast<int>(xorCellCentreY(y)), screenHeight - 1);
            if (pixelIn(screen, px, py) != std::array<std::uint8_t, 3>{}) {
                rows[static_cast<std::size_t>(x)].insert(y);
            }
        }
    }
    return rows;
}

}  // namespace

TEST(XorPattern, PhaseClimbsToItsTopOnThePeriodsLastMillisecondAndWraps)
{
    EXPECT_EQ(xorPhase(0), 0);
    EXPECT_EQ(xorPhase(119999), 255);
    EXPECT_EQ(xorPhase(120000), 0);
}

TEST(XorPatternLayer, ShowsOneCellInEveryColumnAndRowOnlyOnTheFrameThePhaseChanges)
{
    // Phase 63 from the first frame of the greetings, 64 from 111012.
    const auto state = std::make_unique<ShowState>();
    for (const auto& [t, phase] : {std::pair{111001u, 63}, {111012u, 64}}) {
        SCOPED_TRACE(t);
        if (t == 111012u) {
            EXPECT_TRUE(allBlack(drawLayerAlone(Layer::XorPattern, t - 1, *state))) << "the same phase again";
        }
        const auto cells = litCells(drawLayerAlone(Layer::XorPattern, t, *state));
        std::set<int> rowsLit;
        for (int x = 0; x < xorCells; ++x) {
            const auto& column = cells[static_cast<std::size_t>(x)];
            ASSERT_EQ(column.size(), 1u) << "column " << x;
            rowsLit.insert(*column.begin());
        }
        EXPECT_EQ(rowsLit.size(), static_cast<std::size_t>(xorCells)) << "every row once";
        EXPECT_EQ(*cells[0].begin(), phase) << "the first column's cell climbs with the phase";
    }
    // A fresh state shows the pattern at once, whatever the phase.
    EXPECT_FALSE(allBlack(drawLayerAlone(Layer::XorPattern, 111011)));
}
