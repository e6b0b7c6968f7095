// The running show, turn by turn: its song, which keeps the show's clock,
// what it keeps from frame to frame, the player around it, and what the
// viewer's input does to them. The entry drives it with a pause between
// turns, reading SDL's tick counter for each; anything else can drive it,
// on a clock of its own.
#pragma once

#include <cstdint>

#include "app/audio.h"
#include "app/frame.h"
#include "app/player_bar.h"
#include "app/state_snapshots.h"

struct Show {
    explicit Show(unsigned seed) : state(seed), snapshots(seed, nominalFrames) {}

    NominalFrameTimes nominalFrames;
    ShowState state;
    // What a seek restores the state from.
    StateSnapshots snapshots;
    ShowSong song;
    // The show time of this turn.
    std::uint32_t globaltime = 0;
    bool quitRequested = false;
    // A t press has printed the start of a timing line, not yet its end.
    bool timingLineOpen = false;

    // The player.
    bool paused = false;
    // The clock was moved by a seek: the next frame's state is the one a
    // show played from the start has there.
    bool seeking = true;
    PlayerControls controls;
};

// Starts the music, looping for ever, and the clock with it at show time
// fromMs (0 for the show as written), the state as a show played from the
// start leaves it there; the clock holds there until the music plays.
void startShow(Show& show, std::uint32_t fromMs);

// The turn at tick now: reads the clock once and brings the state to it:
// restored after a seek, held while paused, else advanced a frame.
void advanceShowTurn(Show& show, std::uint32_t now);

// The turn's picture, not presented: the frame, and the player over it.
void drawShowTurn(const Show& show, std::uint32_t now);

// The turn at tick now, advanced and drawn, then presented; the time left
// over makes the next state snapshot.
void showTurnFrame(Show& show, std::uint32_t now);

// Handles every pending input event at tick now, in arrival order (also
// after a quit request). Returns whether the show goes on: the music loops
// for ever, so only until a quit request.
bool handleShowEvents(Show& show, std::uint32_t now);

// The player's seek at tick now: the clock (and the music at its next mix)
// to showMs (no further than showTimeLimitMs), the state with it at the
// next frame, paused or not.
void seekShow(Show& show, std::uint64_t showMs, std::uint32_t now);

// Pauses or plays on at tick now.
void pauseShow(Show& show, bool paused, std::uint32_t now);
