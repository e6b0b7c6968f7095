// Musical time shared by every timed drawer: the song's beat and the show's
// time windows, which open after one instant and close at another.
#pragma once

#include <cstdint>
#include <cstdlib>

// One beat of the song.
constexpr std::uint32_t beatMs = 375;
// Two beats: the swing of a dance step.
constexpr std::uint32_t twoBeatsMs = 2 * beatMs;
// The middle of a beat, where the pulse is quiet.
constexpr std::uint32_t midBeatMs = 188;

// A window of globaltime: after < t <= until. Written as the script gives
// it, so a window "85001 to 111000" is {85000, 111000}.
struct TimeWindow {
    std::uint32_t after;
    std::uint32_t until;

    constexpr bool contains(std::uint32_t t) const { return t > after && t <= until; }
    // Milliseconds since the window opened (meaningful inside it).
    constexpr std::uint32_t elapsed(std::uint32_t t) const { return t - after; }
};

// How far t is through a window: just above 0 as it opens, 1 as it closes.
inline float windowProgress(TimeWindow window, std::uint32_t t)
{
    return static_cast<float>(window.elapsed(t)) / static_cast<float>(window.until - window.after);
}

// 0 at mid-beat, about 0.25 on the beat: how hard the beat hits now.
inline float beatPulse(std::uint32_t t)
{
    const int intoBeat = static_cast<int>(t % beatMs);
    return static_cast<float>(std::abs(intoBeat - static_cast<int>(midBeatMs))) / twoBeatsMs;
}
