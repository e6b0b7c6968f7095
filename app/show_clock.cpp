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

std::uint32_t DeviceSchedule::dueTick(std::uint32_t now, std::uint64_t sampleFrames)
{
    // To the nearest ms: 8192 samples are 186 ms, not 185.
    const auto nearestMs = [](std::uint64_t samples) {
        return static_cast<std::uint32_t>((samples * msPerSecond + showSampleRate / 2) / showSampleRate);
    };
    std::uint32_t due = now;
    for (std::size_t i = 0; i < count_; ++i) {
        const std::uint64_t since = samples_ - recent_[i].firstSample;
        const std::uint32_t byCount = recent_[i].tick + nearestMs(since);
        if (since <= deviceQueueSamples && static_cast<std::int32_t>(due - byCount) > 0) {
            due = byCount;
        }
    }
    if (ticksSince(due, now) > nearestMs(deviceQueueSamples)) {
        due = now;
        count_ = 0;
        next_ = 0;
    }
    recent_[next_] = {now, samples_};
    next_ = (next_ + 1) % remembered;
    count_ = std::min(count_ + 1, remembered);
    samples_ += sampleFrames;
    return due;
}
