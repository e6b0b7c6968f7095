#include "app/state_snapshots.h"

#include <algorithm>

namespace {

// The snapshot at or before t's; the last one stands for every later
// moment, as nothing changes after it.
constexpr std::size_t lastSnapshot = lastStateChangeMs / StateSnapshots::intervalMs + 1;

}  // namespace

std::uint32_t NominalFrameTimes::timeOf(std::uint64_t frame) const
{
    return static_cast<std::uint32_t>(frame * nominalFrameMs);
}

std::uint64_t NominalFrameTimes::framesBefore(std::uint32_t ms) const
{
    return (std::uint64_t{ms} + nominalFrameMs - 1) / nominalFrameMs;
}

StateSnapshots::StateSnapshots(unsigned seed, const FrameTimes& times) : seed_(seed), times_(times)
{
    kept_.reserve(lastSnapshot + 1);
}

bool StateSnapshots::buildNext()
{
    if (kept_.size() > lastSnapshot) {
        return false;
    }
    if (kept_.empty()) {
        kept_.emplace_back(seed_);
        return true;
    }
    const auto second = static_cast<std::uint32_t>(kept_.size());
    ShowState state = kept_.back();
    runFrames(times_.framesBefore((second - 1) * intervalMs), times_.framesBefore(second * intervalMs), state);
    kept_.push_back(state);
    return true;
}

void StateSnapshots::restore(std::uint32_t t, ShowState& state)
{
    const std::size_t snapshot = std::min<std::size_t>(t / intervalMs, lastSnapshot);
    while (kept_.size() <= snapshot) {
        buildNext();
    }
    state = kept_[snapshot];
    const auto from = static_cast<std::uint32_t>(snapshot * intervalMs);
    // Frames after the last change change nothing.
    const std::uint32_t to = std::min(t, lastStateChangeMs + 1);
    if (to > from) {
        runFrames(times_.framesBefore(from), times_.framesBefore(to), state);
    }
}

void StateSnapshots::runFrames(std::uint64_t from, std::uint64_t to, ShowState& state) const
{
    for (std::uint64_t frame = from; frame < to; ++frame) {
        advanceFrame(times_.timeOf(frame), state);
    }
}
