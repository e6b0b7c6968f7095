// The show clock's arithmetic at its edges, and the music player on a
// made-up tick counter, called as the mixer's audio thread calls it: the
// start, a device that never calls, and devices off the tick counter's pace.
// The keys and the real mixer: tests/show_loop_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/music_player.h"
#include "lockstep_mixer.h"
#include "straight_song.h"

namespace {

constexpr std::uint64_t loop = 12835584;  // the song's, in samples

TEST(ShowClockArithmetic, SamplesAndMillisecondsAgreeAndTheSongLoopsInSamples)
{
    EXPECT_EQ(sampleAtMs(1), 45u) << "44.1 samples a ms: the first at or after it";
    EXPECT_EQ(msAtSample(44), 0u);
    EXPECT_EQ(msAtSample(45), 1u);
    for (std::uint64_t ms : {0ull, 1ull, 111000ull, 291057ull, 3600000ull}) {
        EXPECT_EQ(msAtSample(sampleAtMs(ms)), ms);
    }
    EXPECT_EQ(songPlaceAt(loop - 1, loop).sample, loop - 1);
    EXPECT_FALSE(songPlaceAt(loop - 1, loop).afterLoop);
    EXPECT_EQ(songPlaceAt(loop, loop).sample, 0u);
    EXPECT_TRUE(songPlaceAt(loop, loop).afterLoop);
    EXPECT_EQ(songPlaceAt(2 * loop + 5, loop).sample, 5u);
}

TEST(ShowClockArithmetic, RunsOnAcrossTheWrappingTickCounterAndIsNudgedOnlyOutsideTheDeadband)
{
    EXPECT_EQ(showMsAt({111000, 0xfffffff0u}, 0x10u), 111032u) << "after 49 days the ticks wrap";
    EXPECT_EQ(showMsAt({111000, 5000}, 4999), 111000u) << "a tick read just before the anchor was set";

    constexpr std::int64_t deadband = 5;
    constexpr std::int64_t step = 2;
    const ClockAnchor anchor{1000, 100};
    EXPECT_EQ(slewedAnchor(anchor, 300, deadband, deadband, step).showMs, 1200u) << "within the deadband";
    EXPECT_EQ(slewedAnchor(anchor, 300, -deadband, deadband, step).showMs, 1200u);
    EXPECT_EQ(slewedAnchor(anchor, 300, deadband + 1, deadband, step).showMs, 1202u) << "music ahead";
    EXPECT_EQ(slewedAnchor(anchor, 300, -100, deadband, step).showMs, 1198u) << "music far behind";
    EXPECT_EQ(slewedAnchor(anchor, 300, 0, deadband, step).tick, 300u) << "anchored anew";
    EXPECT_EQ(slewedAnchor({1, 100}, 100, -100, deadband, step).showMs, 0u) << "never before the start";
}

class PlayerOnAMadeUpClock : public ::testing::Test {
protected:
    explicit PlayerOnAMadeUpClock(ClockPace pace = ClockPace::Device)
        : player(musicBlock(), indexSong(musicBlock()), pace), chunk(mixerChannels * mixerChunkSamples)
    {
    }

    // A mix at tick now; whether it is the song where the player says.
    bool mixAt(std::uint32_t now)
    {
        player.mix(chunk.data(), mixerChunkSamples, now);
        return straightSong().matches(chunk.data(), player.lastMix().musicShowSample, mixerChunkSamples);
    }

    std::int64_t lastGapMs() const
    {
        const MusicPlayer::Mix mix = player.lastMix();
        return static_cast<std::int64_t>(mix.clockMs) - static_cast<std::int64_t>(msAtSample(mix.musicShowSample));
    }

    bool silent() const
    {
        return std::all_of(chunk.begin(), chunk.end(), [](std::int16_t s) { return s == 0; });
    }

    MusicPlayer player;
    std::vector<std::int16_t> chunk;
};

TEST_F(PlayerOnAMadeUpClock, HoldsTheClockAtTheStartUntilTheFirstMixOrTwoChunksAtMost)
{
    mixAt(900);
    EXPECT_TRUE(silent()) << "before the show starts";
    player.start(0, 1000);
    EXPECT_EQ(player.showMs(1090), 0u);
    EXPECT_TRUE(mixAt(1100));
    EXPECT_EQ(player.lastMix().musicShowSample, 0u) << "the song from its very start";
    EXPECT_EQ(player.showMs(1150), 50u);

    // A device that does not call: the clock waits two chunks, then runs.
    constexpr std::uint64_t fromMs = 111000;
    player.start(fromMs, 2000);
    EXPECT_EQ(player.showMs(2000 + firstMixWaitMs), fromMs);
    EXPECT_EQ(player.showMs(2000 + firstMixWaitMs + 28), fromMs + 28);
    EXPECT_TRUE(mixAt(2500)) << "a late first mix plays where the clock is";
    EXPECT_EQ(player.lastMix().clockMs, fromMs + 500 - firstMixWaitMs);
    EXPECT_EQ(lastGapMs(), 0);
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
        mixAt(tick);
        ASSERT_LE(std::abs(lastGapMs()), heardTogetherMs) << "mix " << k;
    }
}

class SilentPlayer : public PlayerOnAMadeUpClock {
protected:
    SilentPlayer() : PlayerOnAMadeUpClock(ClockPace::Wall) {}
};

TEST_F(SilentPlayer, KeepsTheTickCountersPaceAndMutedMixesSilence)
{
    player.mute();
    player.start(0, offPaceMixTick(0));
    for (int k = 0; k < offPaceMixes; ++k) {
        mixAt(offPaceMixTick(k));
        ASSERT_TRUE(silent()) << "mix " << k;
    }
    const std::uint32_t last = offPaceMixTick(offPaceMixes - 1);
    EXPECT_EQ(player.showMs(last), last - offPaceMixTick(0));
}

}  // namespace
