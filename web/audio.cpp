// The show's audio in a web page: app/audio.h as the browser provides it,
// in place of the desktop's mixer and player (song.js does the playing).
// Nothing in the page captures the show, so renderHeardMusic is left out.
#include "app/audio.h"

#include <SDL.h>

#include "assets/song_stream.h"

extern "C" {
void web_song_open(const unsigned char* data, std::size_t size, double loopSamples, double leadInSamples,
                   double rate, double heardDelayMs);
void web_song_play_from(double showMs);
double web_song_clock_ms();
void web_song_pause(bool paused);
void web_song_set_muted(bool muted);
bool web_song_muted();
void web_song_close();
}

namespace {

// What the desktop mixes before the song's first sample and the browser's
// decoder leaves out: the information frame, played as 1152 samples of
// silence, the encoder's delay (576) and the decoder's (529).
constexpr double browserSkippedSamples = 2257;

}  // namespace

// The browser's audio context is made at the viewer's start gesture.
bool openMixer()
{
    return true;
}

bool openShowAudio(std::FILE*)
{
    return true;
}

ShowSong::~ShowSong()
{
    closeSong(*this);
}

bool openSong(ShowSong& song, MediaBlock block)
{
    closeSong(song);
    const SongIndex index = indexSong(block);
    if (index.frameOffsets.empty()) {
        SDL_SetError("the song holds no MPEG-1 Layer III frames");
        return false;
    }
    song.block = block;
    web_song_open(block.data, block.size, static_cast<double>(loopSamples(index)), browserSkippedSamples,
                  static_cast<double>(showSampleRate), heardDelayMs);
    return true;
}

void closeSong(ShowSong& song)
{
    if (song.block.data != nullptr) {
        web_song_close();
        song.block = {};
    }
}

// The browser's clock is its audio context's: the ticks are not needed.
void startSong(ShowSong&, std::uint32_t fromMs, std::uint32_t)
{
    web_song_play_from(fromMs);
}

void moveSongTo(ShowSong&, std::uint64_t showMs, std::uint32_t)
{
    web_song_play_from(static_cast<double>(showMs));
}

std::uint32_t songClockMs(ShowSong&, std::uint32_t)
{
    return globaltimeAt(static_cast<std::uint64_t>(web_song_clock_ms()));
}

// The browser's clock is its audio context's: the ticks are not needed.
void pauseSong(ShowSong&, bool paused, std::uint32_t)
{
    web_song_pause(paused);
}

// The page's mute button takes the same path (WebSong.setMuted), so the
// button shows what the show asked for and the other way round.
void setSongMuted(ShowSong&, bool muted)
{
    web_song_set_muted(muted);
}

bool songMuted(const ShowSong&)
{
    return web_song_muted();
}
