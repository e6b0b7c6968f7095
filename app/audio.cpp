#include "app/audio.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

#include "app/show_clock.h"
#include "assets/song_decoder.h"

bool openMixer()
{
    return Mix_OpenAudio(mixerRate, AUDIO_S16SYS, mixerChannels, mixerChunkSamples) == 0;
}

bool openShowAudio(std::FILE* err)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && openMixer()) {
        return true;
    }
    // SDL does not fall back to another driver by itself.
    std::fprintf(err, "no audio device (%s): the show plays silently\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && openMixer();
}

bool openSong(ShowSong& song, MediaBlock block)
{
    song.block = block;
    song.stream = SDL_RWFromConstMem(block.data, static_cast<int>(block.size));
    if (song.stream == nullptr) {
        return false;
    }
    song.music = Mix_LoadMUS_RW(song.stream);
    if (song.music == nullptr) {
        SDL_RWclose(song.stream);
        song.stream = nullptr;
        return false;
    }
    return true;
}

void closeSong(ShowSong& song)
{
    if (song.music != nullptr) {
        Mix_HaltMusic();
        Mix_FreeMusic(song.music);
        song.music = nullptr;
    }
    if (song.stream != nullptr) {
        SDL_RWclose(song.stream);
        song.stream = nullptr;
    }
}

void moveSongTo(ShowSong& song, std::uint32_t showTimeMs, std::uint32_t songLengthMs)
{
    Mix_HaltMusic();
    closeSong(song);
    if (!openSong(song, song.block)) {
        return;
    }
    Mix_PlayMusic(song.music, -1);
    Mix_SetMusicPosition(songPositionSeconds(showTimeMs, songLengthMs));
}

std::vector<std::int16_t> renderHeardMusic(MediaBlock song, std::uint32_t fromMs, std::uint32_t toMs)
{
    SongIndex index = indexSong(song);
    const std::uint64_t from = sampleAtMs(fromMs);
    const std::uint64_t to = sampleAtMs(toMs);
    if (to <= from || index.frameOffsets.empty()) {
        return {};
    }
    // The mixer's output at show sample s is heard at s + delay.
    const std::uint64_t delay = sampleAtMs(heardDelayMs);
    const std::uint64_t musicFrom = std::clamp(delay, from, to);
    std::vector<std::int16_t> heard(mixerChannels * (to - from), 0);
    if (musicFrom < to) {
        SongDecoder decoder(song, std::move(index));
        const SongPlace place = songPlaceAt(musicFrom - delay, decoder.loopLength());
        decoder.seek(place.sample, place.afterLoop);
        decoder.render(heard.data() + mixerChannels * (musicFrom - from), to - musicFrom);
    }
    return heard;
}
