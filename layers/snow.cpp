// Falling snow over the opening's last card, the title screen and the singer.
#include "layers/snow.h"

#include <SDL_opengl.h>

#include <cmath>
#include <cstdlib>

#include "app/show_clock.h"
#include "overlay/primitives.h"

namespace {

constexpr int newFlakesPerFrame = 8;
constexpr float flakeAlpha = 0.5f;
constexpr double swayCells = 16;
// Radians per millisecond: half a turn every 1500 ms.
constexpr double swayRate = 3.14159 / 1500;

std::size_t cellIndex(int row, int column)
{
    return static_cast<std::size_t>(row) * snowColumns + static_cast<std::size_t>(column);
}

// The show's one field: it lives for the whole run and is never cleared, not
// even by a jump in time.
SnowField showSnow;

}  // namespace

int snowSway(std::uint32_t t)
{
    return static_cast<int>(swayCells * std::sin(static_cast<double>(t) * swayRate));
}

void SnowField::seed(int column)
{
    cells_[cellIndex(0, column)] = 1;
}

bool SnowField::flakeAt(int row, int column) const
{
    return cells_[cellIndex(row, column)] != 0;
}

void SnowField::step(int sway, const DrawFlake& drawFlake)
{
    // The lowest row falls at most four rows, onto the field's last row.
    static_assert(snowLowestRow + snowFallRows(2) < snowRows, "a falling flake stays inside the field");
    for (int row = snowLowestRow; row >= 0; --row) {
        for (int column = snowFirstColumn; column <= snowLastColumn; ++column) {
            if (cells_[cellIndex(row, column)] == 0) {
                continue;
            }
            cells_[cellIndex(row + snowFallRows(column), column)] = 1;
            cells_[cellIndex(row, column)] = 0;
            drawFlake(column + snowFlakeShift(column, sway), row);
        }
    }
}

void SnowLayer()
{
    glColor4f(1, 1, 1, flakeAlpha);
    for (int i = 0; i < newFlakesPerFrame; ++i) {
        showSnow.seed(std::rand() % snowColumns);
    }
    showSnow.step(snowSway(globaltime), [](int column, int row) {
        drawQuad(static_cast<float>(column * snowCellPx), static_cast<float>(row * snowCellPx), snowCellPx,
                 snowCellPx);
    });
}
