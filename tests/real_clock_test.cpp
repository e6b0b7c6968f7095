// The song on the real tick counter and SDL's real audio thread: the disk
// driver, paced here to exactly 44,100 samples a second, with its audio
// thread held up on purpose, while the main thread jumps about in storms of
// moves as a viewer's keys would. What is heard must be where the show is:
// every chunk within 30 ms of the show time at the tick the device wanted
// it, however late the thread came, and after the thread stalls for 5 s,
// from the second mix on.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>
#include <random>
#include <vector>

#include "app/audio.h"
#include "lockstep_mixer.h"

namespace {

constexpr int mixes = 110;
constexpr int stalledMix = 80;
constexpr std::uint32_t stallMs = 5000;
// Every third mix comes this late: less than a chunk, so a device that
// keeps one more chunk queued (as ALSA and PulseAudio do) misses nothing.
constexpr std::uint32_t leastLateMs = 40;
constexpr std::uint32_t mostLateMs = 120;
// A main-loop turn.
constexpr std::uint32_t turnMs = 5;
// A mix that comes this much later than the test asked is the machine's
// doing (it is shared): that mix and the next are not judged.
constexpr std::uint32_t machineSlackMs = 20;
// Moves read by the audio thread within this of its tick count either way.
constexpr std::uint32_t raceMs = 2;

void waitUntil(std::uint32_t tick)
{
    for (auto left = static_cast<std::int32_t>(tick - SDL_GetTicks()); left > 0;
         left = static_cast<std::int32_t>(tick - SDL_GetTicks())) {
        SDL_Delay(static_cast<Uint32>(left));
    }
}

// The device: mix k is due chunkMs after mix k - 1, and the audio thread
// makes it lateMs[k] later; at stalledMix it stops for stallMs and then
// starts afresh from there.
struct PacedDevice {
    MusicPlayer* player = nullptr;
    std::vector<std::uint32_t> lateMs;
    struct Made {
        std::uint32_t due;
        std::uint32_t askedFor;  // due plus the lateness asked for
        std::uint32_t tick;      // the tick the player was given
        MusicPlayer::Mix mix;
    };
    std::vector<Made> made;  // the audio thread's, read once it is unhooked
    std::atomic<bool> done{false};
    // The audio thread's own.
    int next = 0;
    int pacedFrom = 0;
    std::uint32_t pacedFromTick = 0;
};

void mixPaced(void* user, Uint8* stream, int bytes)
{
    auto* device = static_cast<PacedDevice*>(user);
    const int k = device->next;
    if (k >= mixes) {
        std::memset(stream, 0, static_cast<std::size_t>(bytes));
        device->done = true;
        return;
    }
    ++device->next;
    if (k == 0) {
        device->pacedFromTick = SDL_GetTicks();
    }
    std::uint32_t due = device->pacedFromTick + static_cast<std::uint32_t>((k - device->pacedFrom) * mixerChunkMs);
    if (k == stalledMix) {
        SDL_Delay(stallMs);
        due = device->pacedFromTick = SDL_GetTicks();
        device->pacedFrom = k;
    }
    const std::uint32_t askedFor = due + device->lateMs[k];
    waitUntil(askedFor);
    const std::uint32_t now = SDL_GetTicks();
    device->player->mix(reinterpret_cast<std::int16_t*>(stream),
                        static_cast<std::size_t>(bytes) / (mixerChannels * sizeof(std::int16_t)), now);
    device->made.push_back({due, askedFor, now, device->player->lastMix()});
}

// The main thread's reading of the show time each turn, after its moves.
struct Reading {
    std::uint32_t tick;
    std::uint64_t showMs;
    bool moved;
};

// Where the music of a chunk due at due and made at tick should start: the
// show time at due; if the show moved after due and before the mix, where
// the move's clock would have been at due, so that the music is where the
// show is from the move on. Either, for a move that the audio thread may or
// may not have seen.
std::vector<std::uint64_t> expectedAt(const std::vector<Reading>& readings, std::uint32_t due, std::uint32_t tick)
{
    const auto after = [](std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b) > 0; };
    const auto countedBack = [due](const Reading& move) { return showMsCountedAt({move.showMs, move.tick}, due); };
    const Reading* before = nullptr;
    std::optional<std::uint64_t> movedTo;
    std::vector<std::uint64_t> expected;
    for (const Reading& reading : readings) {
        if (after(reading.tick, tick + raceMs)) {
            break;
        }
        if (!after(reading.tick, due)) {
            before = &reading;
        } else if (reading.moved && after(reading.tick, tick - raceMs)) {
            expected.push_back(countedBack(reading));
        } else if (reading.moved) {
            movedTo = countedBack(reading);
        }
    }
    if (movedTo) {
        expected.push_back(*movedTo);
    } else if (before != nullptr) {
        expected.push_back(before->showMs + (due - before->tick));
    }
    return expected;
}

class SongOnTheRealClock : public ::testing::Test {
protected:
    static void SetUpTestSuite() { openDiskMixer(); }
    static void TearDownTestSuite()
    {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
};

TEST_F(SongOnTheRealClock, IsHeardWhereTheShowIsThroughLateMixesStormsOfJumpsAndAStall)
{
    ShowSong song;
    ASSERT_TRUE(openSong(song, musicBlock())) << SDL_GetError();
    std::mt19937 random(1224);
    PacedDevice device;
    device.player = song.player.get();
    std::uniform_int_distribution<std::uint32_t> lateness(leastLateMs, mostLateMs);
    for (int k = 0; k < mixes; ++k) {
        device.lateMs.push_back(k % 3 == 1 ? lateness(random) : 0);
    }
    device.made.reserve(mixes);
    Mix_HookMusic(mixPaced, &device);

    std::bernoulli_distribution storm(0.03);
    std::uniform_int_distribution<int> burst(1, 4);
    std::uniform_int_distribution<int> which(0, 4);
    std::uniform_int_distribution<std::uint64_t> anywhere(0, 400000);
    std::vector<Reading> readings;
    int moves = 0;
    startSong(song, 0, SDL_GetTicks());
    while (!device.done) {
        const std::uint32_t now = SDL_GetTicks();
        const bool moving = storm(random);
        for (int press = moving ? burst(random) : 0; press > 0; --press, ++moves) {
            const std::uint64_t at = songClockMs(song, now);
            const std::uint64_t targets[] = {at + 10000, at > 5000 ? at - 5000 : 0, 111000, 153000, anywhere(random)};
            moveSongTo(song, targets[which(random)], now);
        }
        readings.push_back({now, songClockMs(song, now), moving});
        SDL_Delay(turnMs);
    }
    // Unhooked, the audio thread is done with the device.
    closeSong(song);

    int judged = 0;
    int placed = 0;
    int lateAndPlaced = 0;
    int machineLate = 0;
    bool previousMachineLate = false;
    for (int k = 0; k < mixes; ++k) {
        const PacedDevice::Made& made = device.made[k];
        const bool byTheMachine = static_cast<std::int32_t>(made.tick - made.askedFor) > std::int32_t{machineSlackMs};
        machineLate += byTheMachine;
        const bool skip = byTheMachine || previousMachineLate || k == stalledMix || made.mix.tick != made.tick;
        previousMachineLate = byTheMachine;
        if (skip) {
            continue;
        }
        ++judged;
        placed += made.mix.placed;
        lateAndPlaced += made.mix.placed && device.lateMs[k] > 0;
        const std::vector<std::uint64_t> expected = expectedAt(readings, made.due, made.tick);
        const auto heard = static_cast<std::int64_t>(msAtSample(made.mix.musicShowSample));
        const bool together = std::any_of(expected.begin(), expected.end(), [heard](std::uint64_t ms) {
            return std::abs(static_cast<std::int64_t>(ms) - heard) <= heardTogetherMs;
        });
        EXPECT_TRUE(together) << "mix " << k << " (" << device.lateMs[k] << " ms late) plays show time " << heard
                              << ", the show was at " << (expected.empty() ? 0 : expected.back());
    }
    EXPECT_GE(moves, 200);
    EXPECT_LE(machineLate, mixes / 10) << "the machine held the audio thread up too often to judge";
    EXPECT_GE(judged, mixes * 3 / 4);
    EXPECT_GE(placed, 40);
    EXPECT_GE(lateAndPlaced, 10);
    EXPECT_TRUE(device.made[stalledMix + 1].mix.placed) << "the music is placed anew by the second mix after the stall";
}

}  // namespace
