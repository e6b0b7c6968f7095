// The show's one clock. globaltime counts the milliseconds since the music
// started; the shell writes it once per main-loop turn and hands it to the
// frame, which hands it to every layer. All clock arithmetic is unsigned
// 32-bit and wraps, so a start time "below zero" still gives the right show
// time.
#pragma once

#include <cstdint>

struct ShowClock {
    // The tick count (ms since SDL started) at which globaltime was 0.
    std::uint32_t starttime = 0;
    // The show time of this turn.
    std::uint32_t globaltime = 0;

    // Reads the show time for a turn at tick count now.
    std::uint32_t tick(std::uint32_t now)
    {
        globaltime = now - starttime;
        return globaltime;
    }
    // Moves the clock so that the show time is target at tick count now.
    void moveTo(std::uint32_t now, std::uint32_t target) { starttime = now - target; }
};

// Where the song must be, in seconds from its start, at a show time: the
// song loops, so later show times wrap around its length (0: unknown).
double songPositionSeconds(std::uint32_t showTimeMs, std::uint32_t songLengthMs);
