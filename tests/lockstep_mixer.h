// The show's music played inside the real mixer, one mix at a time on a
// made-up tick counter: SDL's disk driver runs flat out into /dev/null, the
// player is hooked in as the mixer's music, and a semaphore lets mix k
// happen only once the main loop's turns have run up to its tick, however
// fast the machine. The audio thread holds SDL's audio lock while it waits,
// so a turn that took that lock would hang the run.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "app/music_player.h"

// The show's mixer on SDL's disk driver with no pause between chunks.
void openDiskMixer();

constexpr double mixerChunkMs = mixerChunkSamples * double{msPerSecond} / showSampleRate;
// Heard together: the music at most this far from the show time at a mix.
constexpr std::int64_t heardTogetherMs = 30;

// The show time at a mix less the time of the music it began with.
constexpr std::int64_t gapMs(const MusicPlayer::Mix& mix)
{
    return static_cast<std::int64_t>(mix.clockMs) - static_cast<std::int64_t>(msAtSample(mix.musicShowSample));
}

struct MixedChunk {
    MusicPlayer::Mix mix;
    std::vector<std::int16_t> samples;  // interleaved stereo, as mixed
};

// Mix k is made at tick firstMixTick + k chunks, rounded down.
constexpr std::uint32_t lockstepMixTick(std::uint32_t firstMixTick, int k)
{
    return firstMixTick + static_cast<std::uint32_t>(k * mixerChunkMs);
}

// Plays the given number of mixes, each at its lockstepMixTick, calling
// turn(tick) first for every tick from startTick (or the last mix) up to
// and including the mix's own. The counter may wrap. A paused device is
// started.
std::vector<MixedChunk> playInLockstep(MusicPlayer& player, std::uint32_t startTick, std::uint32_t firstMixTick,
                                       int mixes, const std::function<void(std::uint32_t tick)>& turn);
