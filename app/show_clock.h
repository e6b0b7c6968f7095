// The show's one clock and the keys that move it. globaltime counts the
// milliseconds since the music started; every scene reads it, nothing else.
// All clock arithmetic is unsigned 32-bit and wraps, so a start time "below
// zero" still gives the right show time.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstdio>

// Written once per main-loop turn, before the frame is drawn.
extern std::uint32_t globaltime;
// The SDL tick count at which globaltime was 0.
extern std::uint32_t starttime;

constexpr std::uint32_t skipAheadMs = 10000;             // key s
constexpr std::uint32_t greetingsJumpMs = 111000;        // key c: the greetings begin after it
constexpr std::uint32_t retroBannerJumpMs = 153000;      // key r: the retro banner drops in after it

enum class ShowRequest {
    None,
    Quit,               // Esc, right mouse button, window closed
    SkipAhead,          // s
    JumpToGreetings,    // c
    JumpToRetroBanner,  // r
    Windowed,           // f: leave full screen for good
    TimingStart,        // t pressed: opens a time-window line
    TimingEnd,          // any key released: closes it
};

// What one input event asks of the running show.
ShowRequest requestFor(const SDL_Event& event);

// The start time that makes the show time equal target at tick count now.
std::uint32_t startTimeForShowTime(std::uint32_t now, std::uint32_t target);

// Where the song must be, in seconds from its start, at a show time: the
// song loops, so later show times wrap around its length (0: unknown).
double songPositionSeconds(std::uint32_t showTimeMs, std::uint32_t songLengthMs);

// The authoring lines of the t key: a press opens a time-window condition
// with its show time, and every key release closes a line with its own, so
// holding t over a passage prints one condition ready for the timeline.
void printTimingStart(std::FILE* out, std::uint32_t showTime);
void printTimingEnd(std::FILE* out, std::uint32_t showTime);
