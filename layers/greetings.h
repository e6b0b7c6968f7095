// The greetings: a heading card that fades in and out over the section, and
// under it five pages of greeted names, one per beat in a fixed cycle.
#pragma once

#include <cstdint>

#include "app/show_time.h"
#include "assets/texture_store.h"

// The section: 111001 to 116624 ms.
constexpr TimeWindow greetingsWindow{111000, 116624};
// The heading card's own window, one millisecond longer than the section.
constexpr std::uint32_t greetingsHeadingStartMs = 111000;
constexpr std::uint32_t greetingsHeadingMs = 5625;
constexpr std::uint32_t greetingsPageCount = 5;
constexpr std::uint32_t greetingsCycleMs = greetingsPageCount * beatMs;

// The page shown at t. The cycle runs on the song's clock, not from the
// section's start: the first frame shows the second page.
const ImageRef& greetingsPageAt(std::uint32_t t);

// Draws the heading and the page of the beat, inside the section only.
void GreetingsLayer();
