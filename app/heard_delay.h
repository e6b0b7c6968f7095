// How much later a listener hears what the mixer plays. The show opens the
// mixer with 8192-sample chunks, and SDL 1.2's audio drivers keep one to two
// more chunks queued behind the one being mixed (ALSA: two periods of 8192
// frames; PulseAudio: a 372 ms target), so a sample mixed now is heard about
// one and a half chunks later: 8192 * 1.5 / 44100 s. The song is composed
// that much ahead of the script, and a capture of the show shifts its sound
// by the same amount to match what a viewer hears.
#pragma once

#include <cstdint>

constexpr std::uint32_t heardDelayMs = 279;
