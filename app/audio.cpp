#include "app/audio.h"

#include "app/show_clock.h"

#include <cstdlib>

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

namespace {

// The stream the show's one song reads from, closed when the song is opened
// afresh by a jump.
struct OpenedSong {
    Mix_Music* music = nullptr;
    SDL_RWops* stream = nullptr;
};
OpenedSong opened;

}  // namespace

Mix_Music* openSong(MediaBlock song)
{
    SDL_RWops* stream = SDL_RWFromConstMem(song.data, static_cast<int>(song.size));
    if (stream == nullptr) {
        return nullptr;
    }
    Mix_Music* music = Mix_LoadMUS_RW(stream);
    if (music == nullptr) {
        SDL_RWclose(stream);
        return nullptr;
    }
    opened = {music, stream};
    return music;
}

void moveSongTo(Mix_Music*& song, MediaBlock block, std::uint32_t showTimeMs, std::uint32_t songLengthMs)
{
    Mix_HaltMusic();
    if (song != nullptr) {
        const OpenedSong old = opened;
        Mix_FreeMusic(song);
        if (old.music == song) {
            SDL_RWclose(old.stream);
        }
    }
    song = openSong(block);
    if (song == nullptr) {
        return;
    }
    Mix_PlayMusic(song, -1);
    Mix_SetMusicPosition(songPositionSeconds(showTimeMs, songLengthMs));
}
