// The show's one clock and its arithmetic. globaltime counts the
// milliseconds since the music started, wherever the show has jumped; the
// shell reads it once per main-loop turn and hands it to the frame, which
// hands it to every layer. The music player keeps it (app/music_player.h);
// what it computes with is here, pure, so that the edges (rounding, the
// song's loop, SDL's tick counter wrapping) are checked without sound.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

// The show's times, from --from to every seek, lie in [0, showTimeLimitMs]:
// as far as globaltime, 32 bits of ms (49.7 days), reaches. The clock itself
// counts in 64 bits and runs on past the limit; globaltime then stays at it,
// long after the last scene, while the song loops on.
constexpr std::uint64_t showTimeLimitMs = std::numeric_limits<std::uint32_t>::max();

// globaltime at a time of the clock.
constexpr std::uint32_t globaltimeAt(std::uint64_t clockMs)
{
    return static_cast<std::uint32_t>(clockMs < showTimeLimitMs ? clockMs : showTimeLimitMs);
}

// The show's time in samples of its music: 44.1 kHz, the song's rate and
// the mixer's.
constexpr std::uint64_t showSampleRate = 44100;
constexpr std::uint64_t msPerSecond = 1000;

// The most sound a device keeps queued, 372 ms: SDL 1.2's ALSA driver asks
// for two periods of the show's 8192-sample chunk, its PulseAudio driver
// for a 372 ms target.
constexpr std::uint64_t deviceQueueSamples = 16384;

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

// The ticks (ms of SDL's counter) from tick to now. The counter wraps after
// 49 days, so they are told apart by their difference; a now read on one
// thread just before another thread took tick counts as tick itself, not
// as 49 days later.
constexpr std::uint32_t ticksSince(std::uint32_t tick, std::uint32_t now)
{
    const auto elapsed = static_cast<std::int32_t>(now - tick);
    return elapsed > 0 ? static_cast<std::uint32_t>(elapsed) : 0;
}

// The show time at one tick; the clock runs on from it tick for tick.
struct ClockAnchor {
    std::uint64_t showMs;
    std::uint32_t tick;
};

constexpr std::uint64_t showMsAt(ClockAnchor anchor, std::uint32_t now)
{
    return anchor.showMs + ticksSince(anchor.tick, now);
}

// The same, counted back from the anchor for a tick before it (never before
// the show's start): where a clock moved after that tick would have been at
// it. A late mix is heard from a tick that can come before a jump it plays.
constexpr std::uint64_t showMsCountedAt(ClockAnchor anchor, std::uint32_t tick)
{
    const std::int64_t ms = static_cast<std::int64_t>(anchor.showMs) + static_cast<std::int32_t>(tick - anchor.tick);
    return ms > 0 ? static_cast<std::uint64_t>(ms) : 0;
}

// When the sound device wanted each mix that its audio thread makes. A
// device plays at an even pace, so a mix is due no later than any recent
// mix's tick plus the sound mixed since: an audio thread that comes later
// (held up on a busy machine) is late, and what it mixes is still heard
// where the device's count of samples puts it. Counted from the last few
// mixes, not from the first, it follows a device a little slower or faster
// than the tick counter and the jitter of its calls, and two late mixes in a
// row still count from the one on time before them. A thread later than a
// device keeps queued has let it run dry (everything stopped, say): the
// device starts afresh with that mix.
class DeviceSchedule {
public:
    // The due tick of the mix of sampleFrames made at tick now, which it
    // then counts.
    std::uint32_t dueTick(std::uint32_t now, std::uint64_t sampleFrames);

private:
    struct Made {
        std::uint32_t tick;
        std::uint64_t firstSample;  // in the device's stream
    };
    // The mixes that span a device's queue of the show's 8192-sample
    // chunks, or of half chunks.
    static constexpr std::size_t remembered = 4;
    std::array<Made, remembered> recent_{};
    std::size_t count_ = 0;
    std::size_t next_ = 0;
    std::uint64_t samples_ = 0;
};

// The clock anchored anew at tick now and moved towards the music by at
// most maxStepMs, not at all while within deadbandMs of it, so that it
// follows the audio device's pace without chasing the jitter of its calls.
// gapMs: where the music is minus where the clock is at now.
ClockAnchor slewedAnchor(ClockAnchor anchor, std::uint32_t now, std::int64_t gapMs, std::int64_t deadbandMs,
                         std::int64_t maxStepMs);
