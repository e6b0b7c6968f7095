// The show's one audio set-up, shared by the show and by the checks that
// decode the song exactly as the show plays it.
#pragma once

#include <SDL_mixer.h>

#include <cstdint>
#include <cstdio>

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

// The show's sound: starts SDL's audio and opens the device; without one it
// says so in one line on err and opens SDL's silent dummy device instead, so
// the show still runs on its clock. Returns false, with SDL's reason in
// SDL_GetError, only if even that fails.
bool openShowAudio(std::FILE* err);

// The song as the mixer plays it, with the memory stream it reads from,
// which must stay open for as long as the music exists.
struct ShowSong {
    MediaBlock block{};
    Mix_Music* music = nullptr;
    SDL_RWops* stream = nullptr;
    // Played silently: the clock and the song's place run on as usual.
    bool muted = false;
};

// Opens the song from its embedded block for playing (not started). Returns
// false, with SDL's reason in SDL_GetError, if it cannot be decoded.
bool openSong(ShowSong& song, MediaBlock block);

// Stops the song and releases the music and its stream.
void closeSong(ShowSong& song);

// Moves the playing song to where the mixer plays it at the given show time.
// The mixer's MP3 decoder cannot go back cleanly: a backward seek, and even
// a restart, rewinds the stream but first plays on through what its decoder
// had buffered, up to a second and more. So the song is opened afresh from
// its block and seeks forward from its start. Afterwards song.music is
// nullptr only if the song could not be opened again.
void moveSongTo(ShowSong& song, std::uint32_t showTimeMs, std::uint32_t songLengthMs);
