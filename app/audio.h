// The show's one audio set-up, shared by the show and by the checks that
// play the song exactly as the show plays it: the mixer, and the song
// played through it by the show's own player (app/music_player.h), hooked
// in as the mixer's music. The show as a web page implements the same
// calls with the browser's decoding and playing (web/audio.cpp).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/heard_delay.h"
#include "assets/media_table.h"

class MusicPlayer;

// Opens the audio device for the show: 44.1 kHz, 16-bit, stereo. Returns
// false, with the reason in SDL_GetError, when no device can be opened, or
// when the one opened plays another format (the player mixes only this).
bool openMixer();

// The show's sound: starts SDL's audio and opens the device; without one it
// says so in one line on err (the sound library's own complaints kept
// quiet) and opens SDL's silent dummy device instead, so the show still runs
// on its clock. Returns false, with SDL's reason in
// SDL_GetError, only if even that fails.
bool openShowAudio(std::FILE* err);

// The song, played by the show's player as the mixer's music. The player
// keeps the show's clock; it lives on the heap, where the mixer's audio
// thread finds it, for as long as it is hooked in.
struct ShowSong {
    ShowSong() = default;
    ShowSong(const ShowSong&) = delete;
    ShowSong& operator=(const ShowSong&) = delete;
    ~ShowSong();

    MediaBlock block{};
    // Shared only so that this header need not know the player
    // (app/music_player.h): a web page plays the song without it.
    std::shared_ptr<MusicPlayer> player;
};

// Indexes the song in its embedded block and hooks its player into the
// open mixer, silent until startSong. Returns false, with the reason in
// SDL_GetError, if the block holds no MP3 frames.
bool openSong(ShowSong& song, MediaBlock block);

// Unhooks the player from the mixer and lets it go.
void closeSong(ShowSong& song);

// The music starts at show time fromMs with the mixer's next mix; until
// then the clock holds at fromMs.
void startSong(ShowSong& song, std::uint32_t fromMs, std::uint32_t now);

// The show moves to showMs at tick now: the clock at once, the music at the
// next mix, where the clock is then. Never waits for the audio thread.
void moveSongTo(ShowSong& song, std::uint64_t showMs, std::uint32_t now);

// The show time, globaltime, at tick now; past showTimeLimitMs it stays
// there.
std::uint32_t songClockMs(ShowSong& song, std::uint32_t now);

// The player's pause, at tick now. While paused the clock holds where it
// was at now and the mixes are silent from the next one on; a move while
// paused moves the held clock and stays paused. On resume the clock runs on
// from where it held, and the next mix places the music there, as after a
// jump, so the first sample heard is the song at the held show time.
// (Desktop: app/audio.cpp with app/music_player.h; page: web/audio.cpp.)
void pauseSong(ShowSong& song, bool paused, std::uint32_t now);

// Sound off or on again, at once; the clock and the song's place run on
// either way.
void setSongMuted(ShowSong& song, bool muted);

// Whether the sound is off, by whichever control turned it off (the page's
// own button too).
bool songMuted(const ShowSong& song);

// What comes after the song's end: the live show loops it; a recording of
// the show is one play-through, silent after it.
enum class SongEnd { Loops, Stops };

// What a viewer hears over show time [fromMs, toMs) of the show started at
// 0, without playing it: silence until the music reaches the ear
// (heardDelayMs), then the song as the mixer plays it, looping as the live
// music loops, or silent once it has played through. Interleaved stereo,
// 16-bit, 44.1 kHz, sampleAtMs(toMs) - sampleAtMs(fromMs) samples a
// channel, so consecutive spans join exactly. Empty for an empty span, or
// if the block holds no MP3 frames.
std::vector<std::int16_t> renderHeardMusic(MediaBlock song, std::uint32_t fromMs, std::uint32_t toMs,
                                           SongEnd end = SongEnd::Loops);
