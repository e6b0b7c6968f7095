// The capture's clock: frame n is drawn at show time from + n * 1000 / fps
// ms, rounded down to the show's whole milliseconds, and computed afresh for
// every frame from whole numbers, so no length of capture drifts from the
// music, at any rate (60000/1001 included).
#pragma once

#include <cstdint>

#include "app/command_line.h"
#include "app/frame.h"

class FrameClock {
public:
    FrameClock(FrameRate rate, std::uint32_t fromMs) : rate_(rate), fromMs_(fromMs) {}

    // The show time of frame n.
    std::uint32_t timeOf(std::uint64_t frame) const;
    // How many frames fall before show time ms (none when ms <= from):
    // ceil((ms - from) * fps / 1000). A capture from..to has
    // framesBefore(to) frames.
    std::uint64_t framesBefore(std::uint32_t ms) const;

private:
    FrameRate rate_;
    std::uint32_t fromMs_;
};

// How many sound samples (per channel) last as long as that many frames,
// to the nearest sample.
std::uint64_t samplesLasting(std::uint64_t frames, FrameRate rate, int sampleRate);

// Brings a fresh show state to a moment as the capture's clock would have
// left it there: through the frames that clock, run from the show's start,
// would have drawn before the moment, each changing the state as drawing it
// would (advanceFrame) without drawing. Moments are taken in order.
class ShowCatchUp {
public:
    explicit ShowCatchUp(FrameRate rate) : clock_(rate, 0) {}
    void runFramesBefore(std::uint32_t ms, ShowState& state);
    // The time of the clock's next frame, counted as run: for the caller to
    // draw, which changes the state as running it would.
    std::uint32_t takeNextFrame() { return clock_.timeOf(next_++); }

private:
    FrameClock clock_;
    std::uint64_t next_ = 0;
};
