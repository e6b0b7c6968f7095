// Any moment of the show at once: the state as a show played from its start
// leaves it, kept for every second of show time, so that a seek restores
// the second before its moment and advances only the frames after that. A
// state is about 25 KB, and the state stops changing once the last layer
// that keeps any has closed (before two minutes), so all of them together
// take about 3 MB.
#pragma once

#include <cstdint>
#include <vector>

#include "app/frame.h"

// When the frames of a show fall, counted from its start.
class FrameTimes {
public:
    virtual ~FrameTimes() = default;
    // The show time of frame n.
    virtual std::uint32_t timeOf(std::uint64_t frame) const = 0;
    // How many frames fall before show time ms.
    virtual std::uint64_t framesBefore(std::uint32_t ms) const = 0;
};

// The live show's: a frame every nominalFrameMs.
class NominalFrameTimes : public FrameTimes {
public:
    std::uint32_t timeOf(std::uint64_t frame) const override;
    std::uint64_t framesBefore(std::uint32_t ms) const override;
};

// After this no layer changes the state: its frames need not be run.
constexpr std::uint32_t lastStateChangeMs = [] {
    std::uint32_t last = 0;
    for (const ShowLayer& row : showLayers) {
        if (row.keepsState && row.window.until > last) {
            last = row.window.until;
        }
    }
    return last;
}();

class StateSnapshots {
public:
    // The snapshots of a show with this snow seed whose frames fall at
    // times (which must outlive them). They are made as they are first
    // needed, or a second at a time by buildNext.
    StateSnapshots(unsigned seed, const FrameTimes& times);

    // Makes the next second's snapshot, if any is left to make: for spare
    // moments (between splash frames, between the show's turns). About
    // 0.3 ms a second of show where the snow falls, less elsewhere.
    bool buildNext();

    // The state for the frame at t, as the frames before t leave a fresh
    // one: the nearest snapshot at or before t, advanced through the frames
    // between. Makes the snapshots up to t first, where they are not made.
    void restore(std::uint32_t t, ShowState& state);

    unsigned seed() const { return seed_; }

    static constexpr std::uint32_t intervalMs = 1000;

private:
    // The frames from..to-1 of the clock, run on state.
    void runFrames(std::uint64_t from, std::uint64_t to, ShowState& state) const;

    unsigned seed_;
    const FrameTimes& times_;
    // kept_[k]: after every frame before k * intervalMs.
    std::vector<ShowState> kept_;
};
