#include "lockstep_mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cstdlib>

#include "app/audio.h"
#include "set_up_failure.h"

namespace {

struct Lockstep {
    MusicPlayer* player = nullptr;
    SDL_sem* go = nullptr;
    SDL_sem* mixed = nullptr;
    std::atomic<bool> running{true};
    bool mixedNow = false;  // the audio thread's own
    std::uint32_t tick = 0;
    std::vector<MixedChunk> chunks;
};

void mixOnCue(void* user, Uint8* stream, int bytes)
{
    auto* step = static_cast<Lockstep*>(user);
    step->mixedNow = false;
    if (!step->running) {
        return;
    }
    SDL_SemWait(step->go);
    if (!step->running) {
        return;
    }
    step->player->mix(reinterpret_cast<std::int16_t*>(stream),
                      static_cast<std::size_t>(bytes) / (mixerChannels * sizeof(std::int16_t)), step->tick);
    step->mixedNow = true;
}

// After the mix, what the mixer made of it.
void recordMix(void* user, Uint8* stream, int bytes)
{
    auto* step = static_cast<Lockstep*>(user);
    if (!step->mixedNow) {
        return;
    }
    const auto* samples = reinterpret_cast<const std::int16_t*>(stream);
    step->chunks.push_back({step->player->lastMix(), {samples, samples + bytes / sizeof(std::int16_t)}});
    SDL_SemPost(step->mixed);
}

}  // namespace

void openDiskMixer()
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        failSetUp("starting SDL's audio", SDL_GetError());
    }
    if (!openMixer()) {
        failSetUp("opening the disk audio driver", SDL_GetError());
    }
}

std::vector<MixedChunk> playInLockstep(MusicPlayer& player, std::uint32_t startTick, std::uint32_t firstMixTick,
                                       int mixes, const std::function<void(std::uint32_t tick)>& turn)
{
    Lockstep step;
    step.player = &player;
    step.go = SDL_CreateSemaphore(0);
    step.mixed = SDL_CreateSemaphore(0);
    Mix_SetPostMix(recordMix, &step);
    Mix_HookMusic(mixOnCue, &step);
    SDL_PauseAudio(0);
    std::uint32_t tick = startTick;
    for (int k = 0; k < mixes; ++k) {
        const std::uint32_t mixTick = lockstepMixTick(firstMixTick, k);
        for (; tick != mixTick + 1; ++tick) {
            turn(tick);
        }
        step.tick = mixTick;
        SDL_SemPost(step.go);
        SDL_SemWait(step.mixed);
    }
    step.running = false;
    SDL_SemPost(step.go);
    Mix_HookMusic(nullptr, nullptr);
    Mix_SetPostMix(nullptr, nullptr);
    SDL_DestroySemaphore(step.go);
    SDL_DestroySemaphore(step.mixed);
    return std::move(step.chunks);
}
