// The 3D view of the first part of the show: the track laid on the beat,
// then ridden by the ball. Whenever it draws it leaves the show's 2D state
// behind (the 1024 x 768 y-down projection, identity modelview, lighting and
// depth test off), on which every later drawer of the frame relies.
//
// The eye never moves; the camera work is the model's own placement: while
// the track is laid it recedes from the eye on a turntable, then it is shown
// at its own size, tilting toward the viewer while the ball rolls along it.
#pragma once

#include <cstdint>

#include "timeline/timeline.h"
#include "track/track.h"

// Every character of the layout is laid on a beat of its own: the laying
// phase ends when the track is laid, and the ride phase follows it.
constexpr int layoutLength = 130;
constexpr std::uint32_t layingMs = trackLaidMs;
static_assert(layingMs == layoutLength * beatMs, "one beat per piece");
// The ball pulses on the beat from here on.
constexpr std::uint32_t pulseFromMs = beats(64);

// What the view keeps from frame to frame: the track laid so far, the
// laying slot it handled last and the turntable's angle for the next frame.
struct RideState {
    Track track;
    int lastLaidIndex = -1;
    float spinAngle = 0;

    // Back to before the first frame: nothing laid, the turntable at rest.
    void reset();
};

// What the frame at t does about laying, after the slot lastLaidIndex was
// handled: the slot it handles now, and whether it lays that slot's piece.
// Slots no frame falls in are never laid, and laying ends for good once the
// last slot (or any later one) has been handled.
struct Laying {
    int lastLaidIndex;
    bool lays;
};
Laying layingAt(int lastLaidIndex, std::uint32_t t);

// Where the model stands in front of the fixed eye, in call order: moved to
// (x, y, z), scaled, tilted about X, turned about Y. spinAngle is the
// turntable value stored by the previous frame.
struct ModelPlacement {
    float x, y, z;
    float scale;
    float tilt;
    float turn;
};
ModelPlacement modelPlacement(std::uint32_t t, float spinAngle);

// The turntable value a frame stores for the next one (t / 25).
float spinAngleAfter(std::uint32_t t);

// How far along the track the ball is: 0 while laying, then up to 1 when it
// arrives.
float rideProgress(std::uint32_t t);

// Steady at first, then swelling on every beat: 0.8 at mid-beat, about 1.0
// on the beat.
float ballRadiusAt(std::uint32_t t);

// Lays the piece of t's slot if it is due, then draws the track and the
// ball at t, and leaves the show's 2D state behind.
void drawRideView(std::uint32_t t, RideState& ride);

// What a frame of the view does to its state (laying, the turntable),
// without drawing it.
void advanceRideView(std::uint32_t t, RideState& ride);
