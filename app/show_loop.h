// The running show, turn by turn: its clock, what it keeps from frame to
// frame and its song, and what the viewer's input does to them. The entry
// drives it with a pause between turns; anything else can drive it too.
#pragma once

#include <cstdint>

#include "app/audio.h"
#include "app/frame.h"
#include "app/show_clock.h"

struct Show {
    explicit Show(unsigned seed) : state(seed) {}

    ShowClock clock;
    ShowState state;
    ShowSong song;
    // How long the song plays before it loops (0: unknown).
    std::uint32_t songLengthMs = 0;
    bool quitRequested = false;
};

// Starts the music, looping for ever (silently if the song is muted), with
// the clock and the song at fromMs: 0 is the show as written.
void startShow(Show& show, std::uint32_t fromMs);

// The frame of this turn: reads the clock once, then draws and presents the
// frame for that show time.
void showTurnFrame(Show& show);

// Handles every pending input event, in arrival order (also after a quit
// request). Returns whether the show goes on: not after a quit request, nor
// once the music has stopped.
bool handleShowEvents(Show& show);
