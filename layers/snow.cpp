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
    rows_ = {};
    random_.reseed(seed);
}

void SnowField::addFlake(int column)
{
    rows_[0][static_cast<std::size_t>(column / columnsPerWord)] |= std::uint64_t{1} << (column % columnsPerWord);
}

void SnowField::addRandomFlake()
{
    addFlake(random_.next() % snowColumns);
}

bool SnowField::flakeAt(int row, int column) const
{
    const std::uint64_t word = rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column / columnsPerWord)];
    return (word >> (column % columnsPerWord) & 1) != 0;
}

namespace {

constexpr int fallSpeeds = snowFastestFall - snowSlowestFall + 1;

// Per word of a row: the columns that move at all, and those that fall each
// number of rows.
struct ColumnMasks {
    SnowField::Row moving{};
    SnowField::Row falling[fallSpeeds]{};
};

constexpr ColumnMasks columnMasks = [] {
    ColumnMasks masks;
    for (int column = snowFirstColumn; column <= snowLastColumn; ++column) {
        const auto word = static_cast<std::size_t>(column / SnowField::columnsPerWord);
        const std::uint64_t bit = std::uint64_t{1} << (column % SnowField::columnsPerWord);
        masks.moving[word] |= bit;
        masks.falling[snowFallRows(column) - snowSlowestFall][word] |= bit;
    }
    return masks;
}();

}  // namespace

void SnowField::fall()
{
    static_assert(wordsPerRow * columnsPerWord == snowColumns, "whole words a row");
    // The lowest row falls at most four rows, onto the field's last row.
    static_assert(snowLowestRow + snowFastestFall < snowRows, "a falling flake stays inside the field");
    // Rows go from the drift up, so a flake that fell this step is not moved
    // twice; one landing on another merges with it.
    for (int row = snowLowestRow; row >= 0; --row) {
        Row& cells = rows_[static_cast<std::size_t>(row)];
        for (std::size_t word = 0; word < wordsPerRow; ++word) {
            const std::uint64_t moving = cells[word] & columnMasks.moving[word];
            if (moving == 0) {
                continue;
            }
            cells[word] &= ~moving;
            for (int speed = 0; speed < fallSpeeds; ++speed) {
                rows_[static_cast<std::size_t>(row + snowSlowestFall + speed)][word] |=
                    moving & columnMasks.falling[speed][word];
            }
        }
    }
}

void SnowField::drawFlakes(int sway, const DrawFlake& drawFlake) const
{
    for (int row = snowLowestRow; row >= 0; --row) {
        const Row& cells = rows_[static_cast<std::size_t>(row)];
        for (std::size_t word = 0; word < wordsPerRow; ++word) {
            for (std::uint64_t flakes = cells[word] & columnMasks.moving[word]; flakes != 0; flakes &= flakes - 1) {
                const int column = static_cast<int>(word) * columnsPerWord + __builtin_ctzll(flakes);
                drawFlake(column + snowFlakeShift(column, sway), row);
            }
        }
    }
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
