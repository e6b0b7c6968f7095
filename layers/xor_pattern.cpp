// The flickering exclusive-or pattern, behind the greetings pages.
#include "layers/xor_pattern.h"

#include <SDL_opengl.h>

#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {

constexpr int lastCell = xorCells - 1;
// 255, not 256, steps across the screen, so cells are a little wider than
// a 256th of it and the edge cells are cut in half.
constexpr float cellWidth = static_cast<float>(screenWidth) / lastCell;
constexpr float cellHeight = static_cast<float>(screenHeight) / lastCell;
constexpr float fullColour = lastCell;

}  // namespace

int xorPhase(std::uint32_t t)
{
    // Scaled by the period's last millisecond, so the phase ends on 255.
    return static_cast<int>((t % xorPhasePeriodMs) * lastCell / (xorPhasePeriodMs - 1));
}

XorCellColour xorCellColour(int x, int y)
{
    return {static_cast<float>((x + y) % xorCells) / fullColour, static_cast<float>(x) / fullColour,
            static_cast<float>(y) / fullColour};
}

float xorCellCentreX(int x)
{
    return static_cast<float>(x) * screenWidth / lastCell;
}

float xorCellCentreY(int y)
{
    return static_cast<float>(y) * screenHeight / lastCell;
}

void advanceXorPatternLayer(std::uint32_t t, XorPatternState& pattern)
{
    const int phase = xorPhase(t);
    pattern.phaseChanged = phase != pattern.lastPhase;
    pattern.lastPhase = phase;
}

void drawXorPatternLayer(std::uint32_t t, const XorPatternState& pattern)
{
    if (!pattern.phaseChanged) {
        return;
    }
    const int phase = xorPhase(t);
    for (int x = 0; x < xorCells; ++x) {
        const int y = xorCellRow(x, phase);
        const XorCellColour colour = xorCellColour(x, y);
        glColor3f(colour.red, colour.green, colour.blue);
        drawQuad(xorCellCentreX(x), xorCellCentreY(y), cellWidth, cellHeight);
    }
}
