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

TEST(ShowClockArithmetic, PutsAMixWhereTheDevicesCountOfSamplesWantsIt)
{
    // Mixes of a chunk, 185.76 ms: made at these ticks, they are due at
    // these.
    const struct {
        std::uint32_t made;
        std::uint32_t due;
        const char* why;
    } mixes[] = {
        {1000, 1000, "the first"},
        {1186, 1186, "on time"},
        {1366, 1366, "early: the device's pace, or its jitter"},
        {1672, 1552, "late: heard where the count puts it"},
        {1792, 1738, "late again: still counted from the last on time"},
        {1924, 1924, "on time"},
        {2110 + 372, 2110, "as late as a device's queue allows"},
        {2296 + 373 + 372, 2296 + 373 + 372, "later than any device keeps queued: it starts afresh"},
        {3227, 3227, "on the new pace"},
        {3413, 3413, "on time"},
    };
    DeviceSchedule device;
    for (const auto& mix : mixes) {
        EXPECT_EQ(device.dueTick(mix.made, mixerChunkSamples), mix.due) << mix.why;
    }
    DeviceSchedule wrapping;
    constexpr std::uint32_t beforeTheWrap = 0xffffff00u;
    EXPECT_EQ(wrapping.dueTick(beforeTheWrap, mixerChunkSamples), beforeTheWrap);
    EXPECT_EQ(wrapping.dueTick(beforeTheWrap + 186 + 50, mixerChunkSamples), beforeTheWrap + 186) << "late";
    EXPECT_EQ(wrapping.dueTick(beforeTheWrap + 2 * 186 - 4, mixerChunkSamples), beforeTheWrap + 2 * 186 - 4)
        << "early across the wrap";
    EXPECT_EQ(wrapping.dueTick(beforeTheWrap + 3 * 186 + 100, mixerChunkSamples), beforeTheWrap + 3 * 186 - 4)
        << "late across it";

    EXPECT_EQ(globaltimeAt(showTimeLimitMs - 1), showTimeLimitMs - 1);
    EXPECT_EQ(globaltimeAt(showTimeLimitMs + 10000), showTimeLimitMs) << "stays at the end of the range";
}

class PlayerOnAMadeUpClock : public ::testing::Test {
protected:
    // A mix at tick now; whether it is the song where the player says.
    bool mixAt(MusicPlayer& player, std::uint32_t now)
    {
        player.mix(chunk.data(), mixerChunkSamples, now);
        return straightSong().matches(chunk.data(), player.lastMix().musicShowSample, mixerChunkSamples);
    }

    bool isSilent() const
    {
        return std::all_of(chunk.begin(), chunk.end(), [](std::int16_t s) { return s == 0; });
    }

    static constexpr std::uint64_t greetingsMs = 111000;
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

TEST_F(PlayerOnAMadeUpClock, WhenSilentKeepsTheTickCountersPaceAndMutedMixesSilenceUntilUnmuted)
{
    MusicPlayer silent(musicBlock(), indexSong(musicBlock()), ClockPace::Wall);
    silent.setMuted(true);
    silent.start(0, offPaceMixTick(0));
    for (int k = 0; k < offPaceMixes; ++k) {
        mixAt(silent, offPaceMixTick(k));
        ASSERT_TRUE(isSilent()) << "mix " << k;
        ASSERT_LE(std::abs(gapMs(silent.lastMix())), resyncBeyondMs) << "mix " << k << ": the music's place runs on";
    }
    const std::uint32_t last = offPaceMixTick(offPaceMixes - 1);
    EXPECT_EQ(silent.showMs(last), last - offPaceMixTick(0));
    silent.setMuted(false);
    EXPECT_TRUE(mixAt(silent, offPaceMixTick(offPaceMixes)));
    EXPECT_FALSE(isSilent());
}

// A device that keeps exact time: mix k is due at this tick.
constexpr std::uint32_t dueTick(int k)
{
    return lockstepMixTick(1000, k);
}

TEST_F(PlayerOnAMadeUpClock, PlacesALateMixWhereTheDeviceWantedItNotWhereTheThreadGotToIt)
{
    player.start(0, dueTick(0));
    for (int k = 0; k < 10; ++k) {
        ASSERT_TRUE(mixAt(player, dueTick(k)));
    }
    // A jump 50 ms before mix 10 is due; the audio thread comes 150 ms late
    // (a chunk's worth of sound is still queued, so nothing is missed).
    player.jumpTo(greetingsMs, dueTick(10) - 50);
    ASSERT_TRUE(mixAt(player, dueTick(10) + 150));
    EXPECT_EQ(player.lastMix().dueTick, dueTick(10));
    EXPECT_EQ(player.lastMix().musicShowSample, sampleAtMs(greetingsMs + 50)) << "the clock at the mix's due tick";
    // The next mix is on time again, and late ones between jumps play on
    // straight: none of them is placed anew.
    for (int k = 11; k < 40; ++k) {
        const std::uint32_t late = k % 3 == 0 ? 170 : 0;
        ASSERT_TRUE(mixAt(player, dueTick(k) + late));
        EXPECT_FALSE(player.lastMix().placed) << "mix " << k;
        EXPECT_LE(std::abs(gapMs(player.lastMix())), 1) << "mix " << k;
        EXPECT_EQ(player.showMs(dueTick(k) + late), greetingsMs + (dueTick(k) + late - (dueTick(10) - 50)))
            << "mix " << k << ": the clock is left alone";
    }
    // A jump after the mix was due and before the late thread made it: the
    // music is where the clock would have been at the due tick, so that it
    // is where the show is from the jump on.
    constexpr std::uint64_t retroBannerMs = 153000;
    ASSERT_TRUE(mixAt(player, dueTick(40)));
    player.jumpTo(retroBannerMs, dueTick(41) + 100);
    ASSERT_TRUE(mixAt(player, dueTick(41) + 150));
    EXPECT_EQ(player.lastMix().musicShowSample, sampleAtMs(retroBannerMs - 100));
    ASSERT_TRUE(mixAt(player, dueTick(42)));
    EXPECT_EQ(gapMs(player.lastMix()), 0);
}

TEST_F(PlayerOnAMadeUpClock, IsBackWithTheClockFromTheFirstOrSecondMixAfterAStall)
{
    player.start(0, dueTick(0));
    for (int k = 0; k < 10; ++k) {
        mixAt(player, dueTick(k));
    }
    // Everything stops for 5 s; the tick counter does not. The picture
    // jumps ahead with the clock, and the device starts afresh with the first
    // mix after it, which the music follows at once.
    constexpr std::uint32_t stallMs = 5000;
    const auto resumed = [](int k) { return dueTick(k) + stallMs; };
    for (int k = 10; k < 20; ++k) {
        ASSERT_TRUE(mixAt(player, resumed(k)));
        EXPECT_LE(std::abs(gapMs(player.lastMix())), heardTogetherMs) << "mix " << k;
        EXPECT_EQ(player.lastMix().placed, k == 10) << "mix " << k;
    }
    // A device that fills its emptied buffer at once: the second mix comes
    // straight after the first, and is due then.
    ASSERT_TRUE(mixAt(player, resumed(20) + stallMs));
    ASSERT_TRUE(mixAt(player, resumed(20) + stallMs + 1));
    EXPECT_TRUE(player.lastMix().placed);
    EXPECT_EQ(player.lastMix().musicShowSample, sampleAtMs(player.showMs(resumed(20) + stallMs + 1)));
}

}  // namespace
