// The capture's clock, exact over long captures at awkward rates, and its
// command line, where every misuse gets one line and status 2.
#include <gtest/gtest.h>

#include <optional>
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
    EXPECT_EQ(defaults.codec, VideoCodec::H264);
    EXPECT_EQ(defaults.crf, 18);
    EXPECT_EQ(defaults.preset, "veryfast");
    EXPECT_EQ(defaults.pixelFormat, VideoPixelFormat::Yuv420);
    EXPECT_FALSE(defaults.loopMusic);
    EXPECT_EQ(defaults.supersample, 1);
    EXPECT_EQ(defaults.metadata.title, "sleighride");
    EXPECT_EQ(defaults.metadata.artist, "Tinsel Tankard");
    EXPECT_EQ(defaults.metadata.year, "2026");

    const CaptureOptions all = read({"--from", "1s", "--to=0:02", "--fps", "60000/1001", "--size", "1920x1080",
                                     "--out", "frames/", "--storyboard", "sheet.png", "--audio", "song.flac",
                                     "--loop-music", "--supersample", "2", "--start-number", "7"});
    EXPECT_EQ(all.fromMs, 1000u);
    EXPECT_EQ(all.toMs, 2000u);
    EXPECT_EQ(all.rate.perSeconds, 1001u);
    EXPECT_EQ(all.size.height, 1080);
    EXPECT_EQ(all.output, OutputKind::Pictures);
    EXPECT_EQ(all.storyboardPath, "sheet.png");
    EXPECT_EQ(all.soundPath, "song.flac");
    EXPECT_TRUE(all.loopMusic);
    EXPECT_EQ(all.supersample, 2);
    EXPECT_EQ(all.startNumber, 7u);
    EXPECT_EQ(read({"--storyboard", "sheet.png"}).output, OutputKind::None);
    EXPECT_EQ(outputKindOf("."), OutputKind::Pictures);
    EXPECT_EQ(outputKindOf("show.mkv"), OutputKind::Video);

    // Frames are numbered by their place on the clock from the show's start.
    EXPECT_EQ(read({"--from", "60000", "--fps", "8", "--out", "frames/"}).startNumber, 480u);

    const CaptureOptions archive = read({"--out", "show.mkv", "--codec", "ffv1", "--title", "Holly Rails", "--artist",
                                         "", "--year", "1999"});
    EXPECT_EQ(archive.pixelFormat, VideoPixelFormat::Rgb);
    EXPECT_EQ(archive.metadata.title, "Holly Rails");
    EXPECT_EQ(archive.metadata.artist, "");
    EXPECT_EQ(archive.metadata.year, "1999");
    const CaptureOptions hevc = read({"--out", "show.mp4", "--codec", "h265", "--pix-fmt", "yuv444p", "--preset",
                                      "slow", "--size", "321x241"});
    EXPECT_EQ(hevc.crf, 22);
    EXPECT_EQ(hevc.preset, "slow");
    EXPECT_EQ(hevc.pixelFormat, VideoPixelFormat::Yuv444);
}

TEST(CaptureOptions, ShowTimesInMillisecondsSecondsOrMinutes)
{
    struct Case {
        const char* text;
        std::optional<std::uint32_t> ms;
    };
    const Case cases[] = {
        {"75500", 75500},    {"75500ms", 75500},     {"75s", 75000},        {"75.5s", 75500},
        {"0.025s", 25},      {"1:15", 75000},        {"1:15.5", 75500},     {"0:00.001", 1},
        {"1:01:15", 3675000}, {"4294967295", 4294967295u}, {"4294967.295s", 4294967295u},
        {"4294967296", {}},  {"4294967.296s", {}},   {"1:60", {}},          {"1:5", {}},
        {"1:15.5555", {}},   {"1:60:00", {}},        {"1:2:03", {}},        {"-5", {}},
        {"75 s", {}},        {".5s", {}},            {"s", {}},             {"", {}},
        {"1::15", {}},       {"1:15:00:00", {}},     {"1:15s", {}},         {"75.s", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseShowTime(c.text), c.ms) << "'" << c.text << "'";
    }
}

TEST(CaptureOptionsDeathTest, MisuseEndsWithOneLineAndStatus2)
{
    struct Case {
        std::vector<const char*> arguments;
        const char* says;
    };
    const Case cases[] = {
        {{}, "^sleighride-capture: nothing to capture: give --out, --storyboard or --audio \\(try"},
        {{"--out", "show.avi"}, "--out needs a path ending in .mp4 or .mkv"},
        {{"--audio", "song.mp3"}, "--audio needs a path ending in .wav or .flac"},
        {{"--out", "a.mp4", "--fps", "0"}, "--fps needs frames per second"},
        {{"--out", "a.mp4", "--fps", "30/"}, "--fps needs"},
        {{"--out", "a.mp4", "--fps", "4294967295"}, "at most 1000 a second"},
        {{"--out", "a.mp4", "--fps", "1001"}, "at most 1000 a second"},
        {{"--out", "a.mp4", "--fps", "1000000/999"}, "at most 1000 a second"},
        {{"--out", "a.mp4", "--fps", "1/1000001"}, "each number at most 1000000"},
        {{"--out", "a.mp4", "--from", "-5"}, "--from needs a show time"},
        {{"--out", "a.mp4", "--from", "2s", "--to", "0:02"}, "--to must come after --from"},
        {{"--audio", "a.wav", "--to", "0"}, "--to must come after --from"},
        {{"--out", "a.mp4", "--size", "1024*768"}, "--size needs WxH"},
        {{"--out", "a.mp4", "--size", "321x240"}, "a yuv420p video's --size needs even sides"},
        {{"--out", "a.mp4", "--supersample", "5"}, "--supersample needs 1 to 4"},
        {{"--out", "a.mp4", "--codec", "vp9"}, "--codec needs h264, h265 or ffv1"},
        {{"--out", "a.mp4", "--codec", "ffv1"}, "--codec ffv1 needs a .mkv file"},
        {{"--out", "a.mkv", "--codec", "ffv1", "--crf", "0"}, "ffv1 is lossless"},
        {{"--out", "a.mp4", "--crf", "52"}, "--crf needs a whole number from 0 to 51"},
        {{"--out", "a.mp4", "--preset", "quick"}, "--preset needs one of"},
        {{"--out", "a.mp4", "--pix-fmt", "rgb"}, "--pix-fmt rgb needs --codec ffv1"},
        {{"--out", "a.mp4", "--pix-fmt", "nv12"}, "--pix-fmt needs yuv420p, yuv444p or rgb"},
        {{"--out", "frames/", "--crf", "20"}, "choose how a video is encoded"},
        {{"--out", "a.mp4", "--start-number", "5"}, "--start-number numbers PNG frames"},
        {{"--out", "a.mp4", "--year", "MMXXVI"}, "--year needs a year from 1 to 9999"},
        {{"--out", "a.mp4", "--loop-music=yes"}, "option '--loop-music' takes no value"},
        {{"--help=x"}, "option '--help' takes no value"},
        {{"--storyboard", "sheet.jpg"}, "--storyboard needs a path ending in .png"},
        {{"--out", "a.mp4", "--speed", "2"}, "unknown option '--speed'"},
    };
    for (const Case& c : cases) {
        EXPECT_EXIT(read(c.arguments), ::testing::ExitedWithCode(2), c.says);
    }
    EXPECT_EXIT(read({"--help"}), ::testing::ExitedWithCode(0), "");
}
