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

// The show's time in samples of its music: 44.1 kHz, the song's rate and
// the mixer's.
constexpr std::uint64_t showSampleRate = 44100;
constexpr std::uint64_t msPerSecond = 1000;

// The first sample at or after a show time, and the show time a sample
// falls in: rounded so that the two agree on every whole ms.
constexpr std::uint64_t sampleAtMs(std::uint64_t ms)
{
    return (ms * showSampleRate + msPerSecond - 1) / msPerSecond;
}
constexpr std::uint64_t msAtSample(std::uint64_t sample)
{
    return sample * msPerSecond / showSampleRate;
}

// Where the song is at a show sample, counted from its start: it loops
// every loopSamples, straight on. Its loop is not a whole number of ms, so
// this stays in samples.
struct SongPlace {
    std::uint64_t sample;  // into the song, below loopSamples
    bool afterLoop;        // it has played through before
};

constexpr SongPlace songPlaceAt(std::uint64_t showSample, std::uint64_t loopSamples)
{
    return {showSample % loopSamples, showSample >= loopSamples};
}
