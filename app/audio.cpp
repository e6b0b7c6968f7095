#include "app/audio.h"

#include "app/show_clock.h"

bool openMixer()
{
    return Mix_OpenAudio(mixerRate, AUDIO_S16SYS, mixerChannels, mixerChunkSamples) == 0;
}

Mix_Music* openSong(MediaBlock song)
{
    SDL_RWops* stream = SDL_RWFromConstMem(song.data, static_cast<int>(song.size));
    if (stream == nullptr) {
        return nullptr;
    }
    Mix_Music* music = Mix_LoadMUS_RW(stream);
    if (music == nullptr) {
        SDL_RWclose(stream);
    }
    return music;
}

void moveSongTo(Mix_Music* song, std::uint32_t showTimeMs, std::uint32_t songLengthMs)
{
    Mix_PlayMusic(song, -1);
    Mix_SetMusicPosition(songPositionSeconds(showTimeMs, songLengthMs));
}
