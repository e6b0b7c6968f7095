// Falling snow over the opening's last card, the title screen and the singer.
#include "layers/snow.h"

#include <SDL_opengl.h>

#include <cmath>

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

// The C library's seeding: a multiplicative congruential sequence fills the
// state, and the first ten rounds of output are thrown away.
constexpr std::int32_t seedMultiplier = 16807;
constexpr std::int32_t seedModulus = 2147483647;
constexpr std::int32_t seedQuotient = 127773;   // seedModulus / seedMultiplier
constexpr std::int32_t seedRemainder = 2836;    // seedModulus % seedMultiplier
constexpr int discardedRounds = 10;

}  // namespace

int snowSway(std::uint32_t t)
{
    return static_cast<int>(swayCells * std::sin(static_cast<double>(t) * swayRate));
}

void SnowRandom::reseed(unsigned seed)
{
    auto word = static_cast<std::int32_t>(seed == 0 ? 1 : seed);
    state_[0] = static_cast<std::uint32_t>(word);
    for (int i = 1; i < degree; ++i) {
        const std::int32_t high = word / seedQuotient;
        const std::int32_t low = word % seedQuotient;
        word = seedMultiplier * low - seedRemainder * high;
        if (word < 0) {
            word += seedModulus;
        }
        state_[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(word);
    }
    front_ = separation;
    rear_ = 0;
    for (int i = 0; i < discardedRounds * degree; ++i) {
        next();
    }
}

int SnowRandom::next()
{
    std::uint32_t& sum = state_[static_cast<std::size_t>(front_)];
    sum += state_[static_cast<std::size_t>(rear_)];
    front_ = (front_ + 1) % degree;
    rear_ = (rear_ + 1) % degree;
    return static_cast<int>(sum >> 1);
}

void SnowField::reset(unsigned seed)
{
    cells_.fill(0);
    random_.reseed(seed);
}

void SnowField::addFlake(int column)
{
    cells_[cellIndex(0, column)] = 1;
}

void SnowField::addRandomFlake()
{
    addFlake(random_.next() % snowColumns);
}

bool SnowField::flakeAt(int row, int column) const
{
    return cells_[cellIndex(row, column)] != 0;
}

namespace {

// Falling and drawing walk the cells alike: rows from the drift up, columns
// between the edges that never move.
template <class Visit>
void forEachMovingCell(Visit visit)
{
    for (int row = snowLowestRow; row >= 0; --row) {
        for (int column = snowFirstColumn; column <= snowLastColumn; ++column) {
            visit(row, column);
        }
    }
}

}  // namespace

void SnowField::fall()
{
    // The lowest row falls at most four rows, onto the field's last row.
    static_assert(snowLowestRow + snowFallRows(2) < snowRows, "a falling flake stays inside the field");
    forEachMovingCell([this](int row, int column) {
        if (cells_[cellIndex(row, column)] != 0) {
            cells_[cellIndex(row + snowFallRows(column), column)] = 1;
            cells_[cellIndex(row, column)] = 0;
        }
    });
}

void SnowField::drawFlakes(int sway, const DrawFlake& drawFlake) const
{
    forEachMovingCell([&](int row, int column) {
        if (cells_[cellIndex(row, column)] != 0) {
            drawFlake(column + snowFlakeShift(column, sway), row);
        }
    });
}

void advanceSnowLayer(std::uint32_t, SnowField& snow)
{
    snow.fall();
    for (int i = 0; i < newFlakesPerFrame; ++i) {
        snow.addRandomFlake();
    }
}

void drawSnowLayer(std::uint32_t t, const SnowField& snow)
{
    QuadBatch flakes;
    snow.drawFlakes(snowSway(t), [&flakes](int column, int row) {
        flakes.add(static_cast<float>(column * snowCellPx), static_cast<float>(row * snowCellPx), snowCellPx,
                   snowCellPx);
    });
    glColor4f(1, 1, 1, flakeAlpha);
    flakes.draw();
}
