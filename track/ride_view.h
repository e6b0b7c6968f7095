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

#include "timeline/beat.h"
#include "track/track.h"

// The view's window: from the music's start to the emblem's last frame.
constexpr TimeWindow rideWindow = {beforeTheShow, 74000};
// Moments inside the ride: the track's last piece is laid on this beat, and
// the ball arrives at the track's end here.
constexpr std::uint32_t trackLaidMs = beats(130);
constexpr std::uint32_t ballArrivesMs = 68000;

// Every character of the layout is laid on a beat of its own: the laying
// phase ends when the track is laid, and the ride phase follows it.
constexpr int layoutLength = 130;
constexpr std::uint32_t layingMs = trackLaidMs;
static_assert(layingMs == layoutLength * beatMs, "one beat per piece");
// The ball pulses on the beat from here on.
constexpr std::uint32_t pulseFromMs = beats(64);

// What the view keeps from frame to frame: the turntable's angle, which
// each frame takes from the one before it.
struct RideState {
    // The angle this frame is drawn at: the one the frame before left.
    float spinAngle = 0;
    // The angle this frame leaves for the next.
    float nextSpinAngle = 0;
};

// How many pieces are laid at t: one on every beat slot the clock has
// passed, the slot t falls in included, so a frame late by several beats
// finds them all laid, in order, as a frame in every slot would have.
int piecesLaidAt(std::uint32_t t);

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

// Draws the laid track and the ball at t as the state has it, and leaves
// the show's 2D state behind.
void drawRideView(std::uint32_t t, const RideState& ride);

// The turntable's step into the frame at t.
void advanceRideView(std::uint32_t t, RideState& ride);
