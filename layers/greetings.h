// The greetings: a heading card that fades in and out over the section, and
// under it five pages of greeted names, one per beat in a fixed cycle.
#pragma once

#include <cstdint>

#include "assets/texture_store.h"
#include "timeline/beat.h"

// The layer's window: fifteen beats, over the pattern.
constexpr TimeWindow greetingsWindow = {beats(296), beats(311) - 1};

// The page shown at t. The cycle runs on the song's clock, not from the
// section's start: the first frame shows the second page.
const ImageRef& greetingsPageAt(std::uint32_t t);

// The heading and the page of the beat; the pattern shows through both.
void drawGreetingsLayer(std::uint32_t t);
