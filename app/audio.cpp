#include "app/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/music_player.h"
#include "assets/song_decoder.h"

namespace {

constexpr int bytesPerSampleFrame = mixerChannels * sizeof(std::int16_t);
constexpr const char* silentDriver = "dummy";
constexpr int driverNameBytes = 32;

// The mixer's music, on the audio thread.
void playSong(void* player, Uint8* stream, int bytes)
{
    static_cast<MusicPlayer*>(player)->mix(reinterpret_cast<std::int16_t*>(stream),
                                          static_cast<std::size_t>(bytes / bytesPerSampleFrame), SDL_GetTicks());
}

// ALSA prints its own lines on stderr for every device it cannot open,
// eight of them on a machine with no sound card; the show's one line says
// it all.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

ClockPace paceOfDevice()
{
    char driver[driverNameBytes] = "";
    SDL_AudioDriverName(driver, sizeof driver);
    return std::strcmp(driver, silentDriver) == 0 ? ClockPace::Wall : ClockPace::Device;
}

}  // namespace

bool openMixer()
{
    if (Mix_OpenAudio(mixerRate, AUDIO_S16SYS, mixerChannels, mixerChunkSamples) != 0) {
        return false;
    }
    int rate = 0;
    int channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    if (rate != mixerRate || format != AUDIO_S16SYS || channels != mixerChannels) {
        Mix_CloseAudio();
        SDL_SetError("the device plays %d Hz, %d channels, format 0x%x; the show's music is %d Hz 16-bit stereo", rate,
                     channels, format, mixerRate);
        return false;
    }
    return true;
}

bool openShowAudio(std::FILE* err)
{
    snd_lib_error_set_handler(ignoreAlsaError);
    const bool opened = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && openMixer();
    snd_lib_error_set_handler(nullptr);
    if (opened) {
        return true;
    }
    // SDL does not fall back to another driver by itself.
    std::fprintf(err, "no audio device (%s): the show plays silently\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    setenv("SDL_AUDIODRIVER", silentDriver, 1);
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && openMixer();
}

ShowSong::~ShowSong()
{
    closeSong(*this);
}

bool openSong(ShowSong& song, MediaBlock block)
{
    closeSong(song);
    SongIndex index = indexSong(block);
    if (index.frameOffsets.empty()) {
        SDL_SetError("the song holds no MPEG-1 Layer III frames");
        return false;
    }
    song.block = block;
    song.player = std::make_shared<MusicPlayer>(block, std::move(index), paceOfDevice());
    Mix_HookMusic(playSong, song.player.get());
    return true;
}

void closeSong(ShowSong& song)
{
    if (song.player != nullptr) {
        // The audio thread must be done with the player before it goes.
        Mix_HookMusic(nullptr, nullptr);
        song.player.reset();
    }
}

void startSong(ShowSong& song, std::uint32_t fromMs, std::uint32_t now)
{
    song.player->start(fromMs, now);
}

void moveSongTo(ShowSong& song, std::uint64_t showMs, std::uint32_t now)
{
    song.player->jumpTo(showMs, now);
}

std::uint32_t songClockMs(ShowSong& song, std::uint32_t now)
{
    return globaltimeAt(song.player->showMs(now));
}

void pauseSong(ShowSong& song, bool paused, std::uint32_t now)
{
    song.player->pause(paused, now);
}

void setSongMuted(ShowSong& song, bool muted)
{
    song.player->setMuted(muted);
}

bool songMuted(const ShowSong& song)
{
    return song.player->muted();
}

std::vector<std::int16_t> renderHeardMusic(MediaBlock song, std::uint32_t fromMs, std::uint32_t toMs, SongEnd end)
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
    const std::uint64_t songEnd = delay + loopSamples(index);
    const std::uint64_t musicTo = end == SongEnd::Stops ? std::clamp(songEnd, musicFrom, to) : to;
    std::vector<std::int16_t> heard(mixerChannels * (to - from), 0);
    if (musicFrom < musicTo) {
        SongDecoder decoder(song, std::move(index));
        const SongPlace place = songPlaceAt(musicFrom - delay, decoder.loopLength());
        decoder.seek(place.sample, place.afterLoop);
        decoder.render(heard.data() + mixerChannels * (musicFrom - from), musicTo - musicFrom);
    }
    return heard;
}
