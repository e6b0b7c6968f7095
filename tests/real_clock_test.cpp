// The song on the real tick counter and SDL's real audio thread: the disk
// driver, paced here to exactly 44,100 samples a second, with its audio
// thread held up on purpose, while the main thread jumps about in storms of
// moves as a viewer's keys would. What is heard must be where the show is:
// every chunk within 30 ms of the show time at the tick the device wanted
// it, however late the thread came, and after the thread stalls for 5 s,
// by the second mix.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <random>
#include <vector>

#include "app/audio.h"
#include "lockstep_mixer.h"

namespace {

constexpr int mixes = 110;
constexpr int stalledMix = 80;
constexpr std::uint32_t stallMs = 5000;
// Every third mix comes this late: less than a chunk, so that a device
// with the next chunk queued misses nothing.
constexpr std::uint32_t leastLateMs = 40;
constexpr std::uint32_t mostLateMs = 120;
// A main-loop turn.
constexpr std::uint32_t turnMs = 5;
// The machine is shared: should it hold up every mix the player counts a
// mix's due tick from by more than this, the player cannot know the device's
// pace, and that mix is not judged (they must be few).
constexpr std::int32_t machineSlackMs = 20;
// Ticks are whole ms: a tick read this close to another may be either side.
constexpr std::uint32_t tickGrain = 1;

constexpr int devicePriority = -15;  // nice

constexpr std::uint32_t queueMs = deviceQueueSamples * msPerSecond / showSampleRate;

bool later(std::uint32_t a, std::uint32_t b)
{
    return static_cast<std::int32_t>(a - b) > 0;
}

void waitUntil(std::uint32_t tick)
{
    for (auto left = static_cast<std::int32_t>(tick - SDL_GetTicks()); left > 0;
         left = static_cast<std::int32_t>(tick - SDL_GetTicks())) {
        SDL_Delay(static_cast<Uint32>(left));
    }
}

// The device: mix k is due a chunk after mix k - 1, and the audio thread
// makes it lateMs[k] later (and later still, when the machine is busy). A
// mix later than the device's queue lets it run dry, and it starts afresh
// from that mix, as it does after the thread stops for stallMs at
// stalledMix.
struct PacedDevice {
    MusicPlayer* player = nullptr;
    std::vector<std::uint32_t> lateMs;
    struct Made {
        std::uint32_t due;
        std::uint32_t tick;    // the tick the player was given
        std::uint32_t doneAt;  // the tick once the player had mixed
        bool afresh;
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
        // The thread stands in for the device's own clock, which a busy
        // machine does not hold up: it is given the machine first, where
        // that is allowed, and what holds it up is the test's lateness.
        setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), devicePriority);
        device->pacedFromTick = SDL_GetTicks();
    }
    if (k == stalledMix) {
        SDL_Delay(stallMs);
    }
    std::uint32_t due = device->pacedFromTick + static_cast<std::uint32_t>((k - device->pacedFrom) * mixerChunkMs);
    waitUntil(due + device->lateMs[k]);
    const std::uint32_t now = SDL_GetTicks();
    const bool afresh = ticksSince(due, now) > queueMs;
    if (afresh) {
        due = device->pacedFromTick = now;
        device->pacedFrom = k;
    }
    device->player->mix(reinterpret_cast<std::int16_t*>(stream),
                        static_cast<std::size_t>(bytes) / (mixerChannels * sizeof(std::int16_t)), now);
    device->made.push_back({due, now, SDL_GetTicks(), afresh, device->player->lastMix()});
}

// The main thread's turn: the tick it read, its moves made with that tick,
// the tick once they were made, and the show time then.
struct Reading {
    std::uint32_t tick;
    std::uint32_t settled;
    std::uint64_t showMs;
    bool moved;
};

// Where the music of a mix should start: where the clock's line, as the
// audio thread saw it, runs through the mix's due tick. A move after due
// and before the mix is counted back to due, so that the music is where the
// show is from the move on. A move made while the mix was being made may or
// may not have been seen: either will do.
std::vector<std::uint64_t> expectedAt(const std::vector<Reading>& readings, const PacedDevice::Made& made)
{
    const auto atDue = [&made](const Reading& reading) {
        return showMsCountedAt({reading.showMs, reading.tick}, made.due);
    };
    const Reading* seen = nullptr;
    std::vector<std::uint64_t> expected;
    for (const Reading& reading : readings) {
        if (later(reading.tick, made.doneAt + tickGrain)) {
            break;
        }
        if (later(made.tick, reading.settled + tickGrain)) {
            seen = &reading;
        } else if (reading.moved) {
            expected.push_back(atDue(reading));
        }
    }
    // Before the first turn the clock holds at the start.
    expected.push_back(seen != nullptr ? atDue(*seen) : 0);
    return expected;
}

// What the player counts a mix's due tick from, the mixes since the device
// last started afresh within its queue, were all late by more than the
// machine's slack.
bool heldUpThroughout(const std::vector<PacedDevice::Made>& made, int k)
{
    constexpr int counted = static_cast<int>(deviceQueueSamples / mixerChunkSamples);
    std::int32_t leastLate = 0;
    for (int j = k; j >= std::max(0, k - counted); --j) {
        const auto late = static_cast<std::int32_t>(made[j].tick - made[j].due);
        leastLate = j == k ? late : std::min(leastLate, late);
        if (made[j].afresh) {
            break;
        }
    }
    return leastLate > machineSlackMs;
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

    std::bernoulli_distribution storm(0.05);
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
        readings.push_back({now, SDL_GetTicks(), songClockMs(song, now), moving});
        SDL_Delay(turnMs);
    }
    // Unhooked, the audio thread is done with the device.
    closeSong(song);

    int judged = 0;
    int placed = 0;
    int lateAndPlaced = 0;
    for (int k = 0; k < mixes; ++k) {
        const PacedDevice::Made& made = device.made[k];
        if (made.mix.tick != made.tick || heldUpThroughout(device.made, k)) {
            continue;  // before the start, or the machine's doing
        }
        ++judged;
        placed += made.mix.placed;
        lateAndPlaced += made.mix.placed && device.lateMs[k] > 0;
        const std::vector<std::uint64_t> expected = expectedAt(readings, made);
        const auto heard = static_cast<std::int64_t>(msAtSample(made.mix.musicShowSample));
        const bool together = std::any_of(expected.begin(), expected.end(), [heard](std::uint64_t ms) {
            return std::abs(static_cast<std::int64_t>(ms) - heard) <= heardTogetherMs;
        });
        EXPECT_TRUE(together) << "mix " << k << " (due " << made.due << ", made at " << made.tick << ", due by the player "
                              << made.mix.dueTick << (made.mix.placed ? ", placed" : "") << ") plays show time "
                              << heard << ", the show was at " << expected.back();
    }
    EXPECT_GE(moves, 200);
    EXPECT_GE(judged, mixes * 9 / 10) << "the machine held the audio thread up too often to judge";
    EXPECT_GE(placed, 40);
    EXPECT_GE(lateAndPlaced, 10);
    EXPECT_TRUE(device.made[stalledMix].afresh);
    EXPECT_TRUE(device.made[stalledMix].mix.placed || device.made[stalledMix + 1].mix.placed)
        << "the music is placed anew by the second mix after the stall";
}

}  // namespace
