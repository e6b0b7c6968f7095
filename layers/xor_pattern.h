// The flickering exclusive-or pattern under the greetings: 256 small
// coloured rectangles, one per column, at the row given by the column XOR a
// slowly climbing phase. Shown only on the frame on which the phase changes,
// about every 47 ms, so the pattern flickers as it rearranges itself.
#pragma once

#include <cstdint>

#include "timeline/beat.h"

// The layer's window: fifteen beats: a millisecond longer than the greetings over it.
constexpr TimeWindow xorPatternWindow = {beats(296), beats(311)};

// Cells across and down; one lit cell per column.
constexpr int xorCells = 256;
// The phase climbs from 0 to 255 once per period.
constexpr std::uint32_t xorPhasePeriodMs = 12000;

// The phase at t, 0..255; it reaches 255 on the period's last millisecond.
int xorPhase(std::uint32_t t);

// The row lit in column x at phase k: the main diagonal at phase 0.
constexpr int xorCellRow(int x, int k)
{
    return x ^ k;
}

struct XorCellColour {
    float red;
    float green;
    float blue;
};

// Red grows with x + y and wraps where it reaches 256, green grows to the
// right, blue downwards.
XorCellColour xorCellColour(int x, int y);

// The centre of a cell on the screen: the first and last cells sit on the
// screen's edges.
float xorCellCentreX(int x);
float xorCellCentreY(int y);

// What the pattern keeps from frame to frame: the phase of the frame before,
// and whether this frame's phase differs from it, the only frames it shows on.
struct XorPatternState {
    // Unlike the greetings' first phase (63), so their first frame shows it.
    static constexpr int initialPhase = 128;
    int lastPhase = initialPhase;
    bool phaseChanged = false;
};

// Takes the phase of the frame at t, noting whether it moved on.
void advanceXorPatternLayer(std::uint32_t t, XorPatternState& pattern);

// Draws the pattern at t, on a frame whose phase moved on.
void drawXorPatternLayer(std::uint32_t t, const XorPatternState& pattern);
