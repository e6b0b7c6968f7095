// The running show, turn by turn: its song, which keeps the show's clock,
// what it keeps from frame to frame, and what the viewer's input does to
// them. The entry drives it with a pause between turns, reading SDL's tick
// counter for each; anything else can drive it, on a clock of its own.
#pragma once

#include <cstdint>

#include "app/audio.h"
#include "app/frame.h"

struct Show {
    explicit Show(unsigned seed) : state(seed) {}

    ShowState state;
    ShowSong song;
    // The show time of this turn.
    std::uint32_t globaltime = 0;
    bool quitRequested = false;
    // A t press has printed the start of a timing line, not yet its end.
    bool timingLineOpen = false;
};

// Starts the music, looping for ever, and the clock with it at show time
// fromMs (0 for the show as written); the clock holds there until the
// music plays.
void startShow(Show& show, std::uint32_t fromMs);

// The frame of this turn, at tick now: reads the clock once, then draws and
// presents the frame for that show time.
void showTurnFrame(Show& show, std::uint32_t now);

// Handles every pending input event at tick now, in arrival order (also
// after a quit request). Returns whether the show goes on: the music loops
// for ever, so only until a quit request.
bool handleShowEvents(Show& show, std::uint32_t now);
