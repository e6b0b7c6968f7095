// Falling snow: a coarse cellular field of flakes that fall from the top
// edge, swaying with the music. The field steps once per frame, so the fall
// speed follows the frame rate; only the sway follows the clock.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "timeline/beat.h"

// The layer's window: from the aside that calls for snow to the greetings.
constexpr TimeWindow snowWindow = {beats(96), beats(296)};

// A random sequence of the snow's own: the same numbers, from the same seed,
// as the C library's rand on this system, without its hidden global state.
class SnowRandom {
public:
    explicit SnowRandom(unsigned seed = 1) { reseed(seed); }
    void reseed(unsigned seed);
    // 0 .. 2^31 - 1.
    int next();

private:
    static constexpr int degree = 31;
    static constexpr int separation = 3;
    std::array<std::uint32_t, degree> state_{};
    int front_ = separation;
    int rear_ = 0;
};

// The field: one bit per 2 x 2 pixel cell, covering the whole screen.
constexpr int snowRows = 384;
constexpr int snowColumns = 512;
constexpr int snowCellPx = 2;
// Flakes below this row lie in the drift: kept, but never moved nor drawn.
constexpr int snowLowestRow = 379;
// The edge columns never move; a flake seeded there stays unseen at the top.
constexpr int snowFirstColumn = 1;
constexpr int snowLastColumn = snowColumns - 2;
// Only columns in this band sway; the outer sixteen on each side hang still.
constexpr int snowFirstSwayingColumn = 16;
constexpr int snowLastSwayingColumn = snowColumns - 17;

// Rows a flake in this column falls per frame: 2, 3 or 4, so neighbouring
// columns fall at different speeds.
constexpr int snowSlowestFall = 2;
constexpr int snowFastestFall = 4;
constexpr int snowFallRows(int column)
{
    return snowSlowestFall + column % (snowFastestFall - snowSlowestFall + 1);
}

// The sideways swing of the whole snow at t, in cells (-15..15): one sway
// to each side every three seconds.
int snowSway(std::uint32_t t);

// How far a flake of this column is drawn from its cell under a sway:
// neighbours swing opposite ways, which makes the snow shimmer.
constexpr int snowFlakeShift(int column, int sway)
{
    if (column < snowFirstSwayingColumn || column > snowLastSwayingColumn) {
        return 0;
    }
    return column % 2 == 1 ? sway : -sway;
}

// The snow from frame to frame: its cells and the random sequence that picks
// where new flakes start.
class SnowField {
public:
    // Called with the column a flake is drawn at (sway included) and its row.
    using DrawFlake = std::function<void(int column, int row)>;

    explicit SnowField(unsigned seed = 1) : random_(seed) {}
    // No flakes, and the random sequence from its start for the seed.
    void reset(unsigned seed);

    // A new flake at the top of the column (0 .. snowColumns - 1).
    void addFlake(int column);
    // A new flake at the top of a column picked at random.
    void addRandomFlake();
    bool flakeAt(int row, int column) const;
    // Lets every flake above the drift fall its column's rows. Rows go bottom
    // up, so a flake that fell this step is not moved twice; flakes landing
    // on the same cell merge.
    void fall();
    // Every flake above the drift where it stands, in the order fall()
    // moves them, drawn at its column shifted by the sway.
    void drawFlakes(int sway, const DrawFlake& drawFlake) const;

    // A row of cells, a bit a column, column 0 the lowest bit of word 0: a
    // whole field is small enough to copy.
    static constexpr int columnsPerWord = 64;
    static constexpr std::size_t wordsPerRow = snowColumns / columnsPerWord;
    using Row = std::array<std::uint64_t, wordsPerRow>;

private:
    std::array<Row, snowRows> rows_{};
    SnowRandom random_;
};

// One frame of snow: the flakes the frame before showed fall, then eight
// new ones start at random columns.
void advanceSnowLayer(std::uint32_t t, SnowField& snow);

// Draws the snow half-transparent white over everything before it, every
// flake where it stands, swaying with t. Between frames it stands frozen.
void drawSnowLayer(std::uint32_t t, const SnowField& snow);
