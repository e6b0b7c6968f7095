// How much later a listener hears what the mixer plays. The show opens the
// mixer with 8192-sample chunks, and SDL 1.2's audio drivers keep one to two
// more chunks queued behind the one being mixed (ALSA: two periods of 8192
// frames; PulseAudio: a 372 ms target), so a sample mixed now is heard about
// one and a half chunks later: 8192 * 1.5 / 44100 s. The song is composed
// that much ahead of the script, and a capture of the show shifts its sound
// by the same amount to match what a viewer hears.
#pragma once

#include <cstdint>

#include "app/show_clock.h"

// The mixer the show opens: 44.1 kHz, stereo, 8192-sample chunks.
constexpr int mixerRate = static_cast<int>(showSampleRate);
constexpr int mixerChannels = 2;
constexpr int mixerChunkSamples = 8192;

constexpr std::uint32_t heardDelayMs = 279;

// The song is composed against heardDelayMs; a different chunk size would
// queue a different amount of sound ahead of the listener.
static_assert(heardDelayMs == (mixerChunkSamples * 3 * 1000 / 2 + mixerRate / 2) / mixerRate,
              "heardDelayMs must stay one and a half mixer chunks");

// What a device keeps queued is reckoned in the show's chunks.
static_assert(deviceQueueSamples == 2 * mixerChunkSamples, "deviceQueueSamples must stay two mixer chunks");
