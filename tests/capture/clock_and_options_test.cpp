// The capture's clock, exact over long captures at awkward rates, and its
// command line, where every misuse gets one line and status 2.
#include <gtest/gtest.h>

#include <vector>

#include "tools/capture/capture_options.h"
#include "tools/capture/frame_clock.h"
#include "overlay/screen.h"

namespace {

constexpr std::uint32_t hourMs = 3600000;

CaptureOptions read(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "/usr/bin/sleighride-capture");
    return readCaptureOptions(static_cast<int>(arguments.size()), const_cast<char**>(arguments.data()));
}

}  // namespace

TEST(FrameClock, TimesAreExactOverAnHourAtEveryRate)
{
    struct Case {
        FrameRate rate;
        std::uint64_t framesInAnHour;
        std::uint64_t exactEvery;       // frames after which the time is whole again
        std::uint32_t exactEveryMs;
    };
    const Case cases[] = {
        {{30, 1}, 108000, 3, 100},
        {{60, 1}, 216000, 3, 50},
        {{60000, 1001}, 215785, 60000, 1001000},  // 215784.2 frames: the last one starts before the hour ends
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rate.frames) + "/" + std::to_string(c.rate.perSeconds));
        const FrameClock clock(c.rate, 0);
        ASSERT_EQ(clock.framesBefore(hourMs), c.framesInAnHour);
        const std::uint32_t shortGap = static_cast<std::uint32_t>(1000 * c.rate.perSeconds / c.rate.frames);
        std::uint32_t previous = clock.timeOf(0);
        EXPECT_EQ(previous, 0u);
        for (std::uint64_t n = 1; n < c.framesInAnHour; ++n) {
            const std::uint32_t t = clock.timeOf(n);
            ASSERT_TRUE(t - previous == shortGap || t - previous == shortGap + 1) << "frame " << n;
            if (n % c.exactEvery == 0) {
                ASSERT_EQ(t, n / c.exactEvery * c.exactEveryMs) << "frame " << n << " drifted";
            }
            previous = t;
        }
        EXPECT_LT(previous, hourMs);
        EXPECT_GE(clock.timeOf(c.framesInAnHour), hourMs);
    }
}

TEST(FrameClock, ACaptureFromAMomentContinuesTheClockFromTheStart)
{
    const FrameRate ntsc{60000, 1001};
    const FrameClock fromStart(ntsc, 0);
    // 1001 ms is a whole 60 frames of this clock: the catch-up runs 60.
    const FrameClock fromMoment(ntsc, 1001);
    EXPECT_EQ(fromStart.framesBefore(1001), 60u);
    for (std::uint64_t n = 0; n < 1000; ++n) {
        ASSERT_EQ(fromMoment.timeOf(n), fromStart.timeOf(n + 60));
    }
    EXPECT_EQ(fromMoment.framesBefore(1001), 0u);
    EXPECT_EQ(fromMoment.framesBefore(1002), 1u);
}

TEST(FrameClock, SoundLastsExactlyAsLongAsTheFrames)
{
    EXPECT_EQ(samplesLasting(60, {60, 1}, 44100), 44100u);
    EXPECT_EQ(samplesLasting(60000, {60000, 1001}, 44100), 44144100u);
    // 1/60 s is 735 samples; 1/59.94 s is 735.735, rounded to the nearest.
    EXPECT_EQ(samplesLasting(1, {60000, 1001}, 44100), 736u);
}

TEST(CaptureOptions, ReadsEveryOptionAndKeepsTheDefaults)
{
    const CaptureOptions defaults = read({"--out", "show.mp4"});
    EXPECT_EQ(defaults.fromMs, 0u);
    EXPECT_EQ(defaults.toMs, 318500u);
    EXPECT_EQ(defaults.rate.frames, 60u);
    EXPECT_EQ(defaults.size.width, screenWidth);
    EXPECT_EQ(defaults.output, OutputKind::Video);

    const CaptureOptions all = read({"--from", "1000", "--to=2000", "--fps", "60000/1001", "--size", "1920x1080",
                                     "--out", "frames/", "--storyboard", "sheet.png"});
    EXPECT_EQ(all.fromMs, 1000u);
    EXPECT_EQ(all.toMs, 2000u);
    EXPECT_EQ(all.rate.perSeconds, 1001u);
    EXPECT_EQ(all.size.height, 1080);
    EXPECT_EQ(all.output, OutputKind::Pictures);
    EXPECT_EQ(all.storyboardPath, "sheet.png");
    EXPECT_EQ(read({"--storyboard", "sheet.png"}).output, OutputKind::None);
    EXPECT_EQ(outputKindOf("."), OutputKind::Pictures);
    EXPECT_EQ(outputKindOf("show.mkv"), OutputKind::Video);
}

TEST(CaptureOptionsDeathTest, MisuseEndsWithOneLineAndStatus2)
{
    const auto usage = ::testing::ExitedWithCode(2);
    EXPECT_EXIT(read({}), usage, "^sleighride-capture: nothing to capture: give --out or --storyboard \\(try");
    EXPECT_EXIT(read({"--out", "show.avi"}), usage, "--out needs a path ending in .mp4 or .mkv");
    EXPECT_EXIT(read({"--out", "a.mp4", "--fps", "0"}), usage, "--fps needs frames per second");
    EXPECT_EXIT(read({"--out", "a.mp4", "--fps", "30/"}), usage, "--fps needs");
    EXPECT_EXIT(read({"--out", "a.mp4", "--from", "-5"}), usage, "--from needs whole milliseconds");
    EXPECT_EXIT(read({"--out", "a.mp4", "--from", "2000", "--to", "2000"}), usage, "--to must come after --from");
    EXPECT_EXIT(read({"--out", "a.mp4", "--size", "1024*768"}), usage, "--size needs WxH");
    EXPECT_EXIT(read({"--out", "a.mp4", "--size", "321x240"}), usage, "a video's --size needs even sides");
    EXPECT_EXIT(read({"--storyboard", "sheet.jpg"}), usage, "--storyboard needs a path ending in .png");
    EXPECT_EXIT(read({"--out", "a.mp4", "--speed", "2"}), usage, "unknown option '--speed'");
    EXPECT_EXIT(read({"--help"}), ::testing::ExitedWithCode(0), "");
}
