#include "app/show_clock.h"

#include <algorithm>

ClockAnchor slewedAnchor(ClockAnchor anchor, std::uint32_t now, std::int64_t gapMs, std::int64_t deadbandMs,
                         std::int64_t maxStepMs)
{
    const auto clockMs = static_cast<std::int64_t>(showMsAt(anchor, now));
    const bool close = gapMs >= -deadbandMs && gapMs <= deadbandMs;
    const std::int64_t step = close ? 0 : std::clamp(gapMs, -maxStepMs, maxStepMs);
    // Never before the show's start.
    return {static_cast<std::uint64_t>(std::max<std::int64_t>(clockMs + step, 0)), now};
}
