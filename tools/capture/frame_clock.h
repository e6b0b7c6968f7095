// The capture's clock: frame n is drawn at show time from + n * 1000 / fps
// ms, rounded down to the show's whole milliseconds, and computed afresh for
// every frame from whole numbers, so no length of capture drifts from the
// music, at any rate (60000/1001 included).
#pragma once

#include <cstdint>
#include <memory>

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

// The show as the capture draws it, and the one place that does: a state
// of its own, its snow from the reference seed (so two captures are
// identical, and a capture at 10 fps from 0 draws exactly the frames that
// the frame digests digest), brought to a moment as the capture's clock,
// run from the show's start, would have left it there: advanced through
// the frames that clock would have drawn before the moment. Moments are
// taken in order.
class CapturedShow {
public:
    explicit CapturedShow(FrameRate rate);
    ~CapturedShow();
    CapturedShow(const CapturedShow&) = delete;
    CapturedShow& operator=(const CapturedShow&) = delete;

    void catchUpTo(std::uint32_t ms);
    // Advances the state into the frame at t, not before the moment caught
    // up to, and draws it.
    void draw(std::uint32_t t);
    // Draws the clock's next frame after the moment caught up to (counted
    // as run); its show time.
    std::uint32_t drawNextFrame();

private:
    FrameClock clock_;
    std::uint64_t next_ = 0;
    // Large (the ride's laid track), so on the heap.
    std::unique_ptr<ShowState> state_;
};
