// What the viewer's keys and mouse ask of the running show, and the timing
// lines of the t key.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstdio>

#include "app/show_layers.h"

constexpr std::uint32_t skipAheadMs = 10000;                                       // key s
constexpr std::uint32_t greetingsJumpMs = windowOf(Layer::Greetings).after;      // key c
constexpr std::uint32_t retroBannerJumpMs = windowOf(Layer::RetroBanner).after;  // key r
constexpr std::uint32_t shortSeekMs = 5000;                                      // Left, Right
constexpr std::uint32_t longSeekMs = 30000;                                      // Page Up, Page Down

enum class ShowRequest {
    None,
    Quit,               // Esc, right mouse button, window closed
    SkipAhead,          // s
    JumpToGreetings,    // c
    JumpToRetroBanner,  // r
    Windowed,           // f: leave full screen for good
    TimingStart,        // t pressed: opens a time-window line
    TimingEnd,          // any key released: closes the line that t opened
    // The player's: seeks show what a show played from the start shows there.
    PauseOrPlay,        // Space
    SeekBack,           // Left: shortSeekMs back
    SeekAhead,          // Right
    SeekFarBack,        // Page Up: longSeekMs back
    SeekFarAhead,       // Page Down
    SeekToStart,        // Home
    StepBack,           // , while paused: a frame back
    StepAhead,          // . while paused: a frame ahead
    ToggleKeys,         // h, F1: the keys on the screen
    ToggleMute,         // m
    Point,              // the left mouse button: a seek where it falls on the bar
    ShowControls,       // the mouse moved
};

// What one input event asks of the running show.
ShowRequest requestFor(const SDL_Event& event);

// The authoring lines of the t key: a press opens a time-window condition
// with its show time, and the next key release closes it with its own, so
// holding t over a passage prints one condition ready for the script.
// Releases with no line open (the key that ended the splash, any other
// key) print nothing.
void printTimingStart(std::FILE* out, std::uint32_t showTime);
void printTimingEnd(std::FILE* out, std::uint32_t showTime);
