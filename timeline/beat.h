// Musical time shared by every timed drawer: the song's beat and the show's
// time windows, which open after one instant and close at another.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <limits>

// One beat of the song.
constexpr std::uint32_t beatMs = 375;
// Two beats: the swing of a dance step.
constexpr std::uint32_t twoBeatsMs = 2 * beatMs;
// The middle of a beat, where the pulse is quiet.
constexpr std::uint32_t midBeatMs = 188;

// The instant of the song's beat number count, counting from the music's
// start: beats(16) is 6000 ms.
constexpr std::uint32_t beats(std::uint32_t count)
{
    return count * beatMs;
}

// The instant before the show's first: a window opening after it holds 0.
// Window arithmetic wraps like the clock, so this is "-1".
constexpr std::uint32_t beforeTheShow = std::numeric_limits<std::uint32_t>::max();

// A window of globaltime: after < t <= until. Written as the script gives
// it, so a window "85001 to 111000" is {85000, 111000}.
struct TimeWindow {
    std::uint32_t after;
    std::uint32_t until;

    // Unsigned and wrapping: the same as after < t && t <= until, and it
    // holds 0 for a window after beforeTheShow.
    constexpr bool contains(std::uint32_t t) const { return t - after - 1 < until - after; }
    // Milliseconds since the window opened (meaningful inside it).
    constexpr std::uint32_t elapsed(std::uint32_t t) const { return t - after; }
    constexpr std::uint32_t length() const { return until - after; }
};

// How far t is through a window: just above 0 as it opens, 1 as it closes.
inline float windowProgress(TimeWindow window, std::uint32_t t)
{
    return static_cast<float>(window.elapsed(t)) / static_cast<float>(window.length());
}

// 0 at mid-beat, about 0.25 on the beat: how hard the beat hits now.
inline float beatPulse(std::uint32_t t)
{
    const int intoBeat = static_cast<int>(t % beatMs);
    return static_cast<float>(std::abs(intoBeat - static_cast<int>(midBeatMs))) / twoBeatsMs;
}
