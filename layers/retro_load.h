// The imitation 8-bit computer loading the show: its blue text screen with a
// blinking cursor, then a typed load command scrolling past at ten times its
// size, then the loaded logo fading in over the text, and at last the
// snowman bouncing to the beat below the logo.
#pragma once

#include <cstdint>
#include <optional>

#include "app/show_time.h"
#include "assets/texture_store.h"

// The scene runs from 157001 to 183499 ms; its own clock starts at 157000.
constexpr TimeWindow retroLoadWindow{157000, 183499};
constexpr TimeWindow commandScrollWindow{163000, 169000};
constexpr TimeWindow logoFadeWindow{169000, 175000};
// The logo is fully shown, and the snowman dances, once this has passed.
constexpr std::uint32_t logoShownAfter = logoFadeWindow.until;

// The text screen at time since the scene's start: the cursor is off for the
// first 376 ms of every two beats and on for the rest.
const ImageRef& textScreenAt(std::uint32_t sceneMs);

// The centre x of the scrolling command line, if it is drawn at t.
std::optional<float> commandLineX(std::uint32_t t);

// The logo's alpha, if it is drawn at t.
std::optional<float> logoAlpha(std::uint32_t t);

// The dancing snowman's size factor, if he is drawn at t: his own size at
// mid-beat, about a quarter bigger on the beat.
std::optional<float> snowmanBounce(std::uint32_t t);

// Draws the scene for the current globaltime, in the show's 2D state; the
// scene decides from the time by itself whether it draws.
void RetroLoadLayer();
