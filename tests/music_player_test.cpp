// The show clock's arithmetic at its edges, and the music player on a
// made-up tick counter, called as the mixer's audio thread calls it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/music_player.h"
#include "lockstep_mixer.h"
#include "straight_song.h"

namespace {

TEST(ShowClockArithmetic, RoundTripsMillisecondsOnSamplesAndNudgesOnlyOutsideTheDeadband)
{
    EXPECT_EQ(sampleAtMs(1), 45u) << "44.1 samples a ms: the first at or after it";
    for (std::uint64_t ms : {1ull, 111000ull, 291057ull, 3600000ull}) {
        EXPECT_EQ(msAtSample(sampleAtMs(ms)), ms);
    }
    EXPECT_EQ(showMsAt({111000, 5000}, 4999), 111000u) << "a tick read just before the anchor was set";

    constexpr std::int64_t deadband = 5;
    constexpr std::int64_t step = 2;
    const ClockAnchor anchor{1000, 100};
    EXPECT_EQ(slewedAnchor(anchor, 300, -deadband, deadband, step).showMs, 1200u) << "within the deadband";
    EXPECT_EQ(slewedAnchor(anchor, 300, deadband + 1, deadband, step).showMs, 1202u) << "music ahead";
    EXPECT_EQ(slewedAnchor(anchor, 300, -100, deadband, step).showMs, 1198u) << "music far behind";
    EXPECT_EQ(slewedAnchor({1, 100}, 100, -100, deadband, step).showMs, 0u) << "never before the start";
}

class PlayerOnAMadeUpClock : public ::testing::Test {
protected:
    // A mix at tick now; whether it is the song where the player says.
    bool mixAt(MusicPlayer& player, std::uint32_t now)
    {
        player.mix(chunk.data(), mixerChunkSamples, now);
        return straightSong().matches(chunk.data(), player.lastMix().musicShowSample, mixerChunkSamples);
    }

    MusicPlayer player{musicBlock(), indexSong(musicBlock()), ClockPace::Device};
    std::vector<std::int16_t> chunk = std::vector<std::int16_t>(mixerChannels * mixerChunkSamples);
};

TEST_F(PlayerOnAMadeUpClock, RunsTheClockWithoutADeviceThatNeverCallsAndPlaysWhereItIsWhenOneDoes)
{
    constexpr std::uint64_t fromMs = 111000;
    player.start(fromMs, 2000);
    EXPECT_EQ(player.showMs(2000 + firstMixWaitMs), fromMs) << "waiting two chunks for the first mix";
    EXPECT_EQ(player.showMs(2000 + firstMixWaitMs + 28), fromMs + 28);
    EXPECT_TRUE(mixAt(player, 2500));
    EXPECT_EQ(player.lastMix().clockMs, fromMs + 500 - firstMixWaitMs);
    EXPECT_EQ(gapMs(player.lastMix()), 0);
}

// A device 1 % slower than the tick counter, its calls up to 5 ms early or
// late: the tick of its mix k, over a minute.
constexpr int offPaceMixes = 320;

std::uint32_t offPaceMixTick(int k)
{
    constexpr double pace = 1.01;
    constexpr int jitterMs = 5;
    return static_cast<std::uint32_t>(1000 + k * pace * mixerChunkMs + (k % 3 - 1) * jitterMs);
}

TEST_F(PlayerOnAMadeUpClock, KeepsToTheDevicesPaceAndNeverGoesBack)
{
    std::uint32_t tick = offPaceMixTick(0);
    player.start(0, tick);
    std::uint64_t shown = 0;
    for (int k = 0; k < offPaceMixes; ++k) {
        for (; tick < offPaceMixTick(k); ++tick) {
            const std::uint64_t now = player.showMs(tick);
            ASSERT_GE(now, shown) << "tick " << tick;
            shown = now;
        }
        mixAt(player, tick);
        ASSERT_LE(std::abs(gapMs(player.lastMix())), heardTogetherMs) << "mix " << k;
    }
}

TEST_F(PlayerOnAMadeUpClock, WhenSilentKeepsTheTickCountersPaceAndMutedMixesSilence)
{
    MusicPlayer silent(musicBlock(), indexSong(musicBlock()), ClockPace::Wall);
    silent.mute();
    silent.start(0, offPaceMixTick(0));
    for (int k = 0; k < offPaceMixes; ++k) {
        mixAt(silent, offPaceMixTick(k));
        ASSERT_TRUE(std::all_of(chunk.begin(), chunk.end(), [](std::int16_t s) { return s == 0; })) << "mix " << k;
    }
    const std::uint32_t last = offPaceMixTick(offPaceMixes - 1);
    EXPECT_EQ(silent.showMs(last), last - offPaceMixTick(0));
}

}  // namespace
