#include "layers/sprites.h"

#include "assets/loader.h"

namespace {

struct WalkStep {
    std::uint32_t before;  // the step lasts until this millisecond of the cycle
    const ImageRef* picture;
};
constexpr std::uint32_t walkCycleMs = twoBeatsMs;
const WalkStep walkCycle[] = {
    {188, &snowman2},
    {376, &snowman3},
    {563, &snowman1},
    {walkCycleMs, &snowman3},
};

}  // namespace

const ImageRef& walkingSnowman(std::uint32_t walkMs)
{
    const std::uint32_t intoCycle = walkMs % walkCycleMs;
    for (const WalkStep& step : walkCycle) {
        if (intoCycle < step.before) {
            return *step.picture;
        }
    }
    return *walkCycle[0].picture;
}
