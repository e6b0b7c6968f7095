// The show's one audio set-up, shared by the show and by the checks that
// decode the song exactly as the show plays it.
#pragma once

#include <SDL_mixer.h>

#include "app/heard_delay.h"
#include "assets/media_table.h"

constexpr int mixerRate = 44100;
constexpr int mixerChannels = 2;
constexpr int mixerChunkSamples = 8192;

// The song is composed against heardDelayMs; a different chunk size would
// queue a different amount of sound ahead of the listener.
static_assert(heardDelayMs == (mixerChunkSamples * 3 * 1000 / 2 + mixerRate / 2) / mixerRate,
              "heardDelayMs must stay one and a half mixer chunks");

// Opens the audio device for the show: 44.1 kHz, 16-bit, stereo. Returns
// false, with SDL's reason in SDL_GetError, when no device can be opened.
bool openMixer();

// Opens the embedded song for playing. The memory stream stays open for as
// long as the program runs, since the music reads from it while it plays.
// Returns nullptr, with SDL's reason in SDL_GetError, if the song cannot be
// decoded.
Mix_Music* openSong(MediaBlock song);

// Moves the playing song to where the mixer plays it at the given show time.
// The mixer seeks MP3 streams only forwards reliably (a backward seek lands
// early by what its decoder still buffers), so the song restarts and then
// seeks forward from its start.
void moveSongTo(Mix_Music* song, std::uint32_t showTimeMs, std::uint32_t songLengthMs);
