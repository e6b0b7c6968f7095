#include "tools/capture/capture_options.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "tools/capture/frame_clock.h"
#include "tools/capture/output_file.h"

namespace {

// The file's tags unless asked otherwise: the show's own name, the group
// its opening card presents, and the year of the party it was made for.
constexpr const char* showTitle = "sleighride";
constexpr const char* showArtist = "Tinsel Tankard";
constexpr const char* showYear = "2026";

// The show's clock counts whole milliseconds: a faster rate would only
// repeat frames. Either number of a rate larger than this is no frame rate
// an encoder keeps.
constexpr std::uint64_t fastestFps = 1000;
constexpr std::uint32_t largestRateNumber = 1000000;
// The top of x264's and x265's quality scale, which starts at 0, lossless in
// their YCbCr.
constexpr int worstCrf = 51;
// Visually lossless for the show's flat colours and hard edges; x265 needs
// a few steps more than x264 for the same look.
constexpr int h264Crf = 18;
constexpr int h265Crf = 22;
// Fast enough to keep up with the drawing on two cores.
constexpr const char* defaultPreset = "veryfast";
constexpr std::array presets = {"ultrafast", "superfast", "veryfast", "faster", "fast",
                                "medium",    "slow",      "slower",   "veryslow", "placebo"};
constexpr int mostSupersampling = 4;
constexpr std::uint64_t largestYear = 9999;

constexpr std::uint64_t msPerSecond = 1000;
constexpr std::uint64_t secondsPerMinute = 60;
constexpr std::uint64_t decimalBase = 10;
constexpr std::size_t msDigits = 3;

constexpr const char* helpText =
    "Usage: %s [OPTION]...\n"
    "Renders the show offline on a fixed clock, frame by frame, into a video, a\n"
    "folder of pictures, a storyboard or the sound alone. Needs no display and\n"
    "no sound device.\n"
    "\n"
    "What to capture (times as 75500, 75.5s, 1:15.5 or 1:01:15):\n"
    "  --from TIME         show time of the first frame (default 0)\n"
    "  --to TIME           show time the capture ends before (default %u)\n"
    "  --fps N, --fps N/D  frames per second, or per D seconds, up to 1000\n"
    "                      (default 60; 60000/1001 for 59.94)\n"
    "  --size WxH          picture size (default 1024x768); another size gets the\n"
    "                      4:3 picture scaled with an area filter and centred with\n"
    "                      black bars, so 1920x1080 gives a 1080p video\n"
    "  --supersample N     draw at N times the show's size (1 to 4, default 1)\n"
    "                      and scale down: smooth edges on the 3D ride\n"
    "  --loop-music        the song loops on after its end, as in the live show,\n"
    "                      instead of falling silent\n"
    "\n"
    "Where it goes:\n"
    "  --out PATH          PATH.mp4 or PATH.mkv: a video with the song, as a viewer\n"
    "                      hears it (ffmpeg encodes), tagged BT.709; a directory,\n"
    "                      or a path ending in /: one PNG per frame\n"
    "  --storyboard FILE   a contact sheet PNG: one labelled frame per layer\n"
    "  --audio FILE        the sound alone, FILE.wav or FILE.flac: the samples a\n"
    "                      video of the same span is made with, for remuxing\n"
    "\n"
    "How a video is encoded:\n"
    "  --codec NAME        h264 (default), h265, or ffv1: lossless, .mkv only,\n"
    "                      with FLAC sound\n"
    "  --crf N             quality for h264 and h265, 0 (lossless YCbCr) to 51\n"
    "                      (default 18 for h264, 22 for h265)\n"
    "  --preset NAME       encoder speed, ultrafast to placebo (default veryfast)\n"
    "  --pix-fmt NAME      yuv420p (default, plays everywhere), yuv444p (full\n"
    "                      colour resolution, for pixel art), or rgb (ffv1 only,\n"
    "                      its default: exactly the pixels drawn)\n"
    "  --title TEXT, --artist TEXT, --year YYYY\n"
    "                      the file's tags (default %s, %s, %s)\n"
    "\n"
    "  --start-number N    the first PNG frame's number (default: its number on\n"
    "                      the capture's clock from the show's start)\n"
    "  --help, --version\n"
    "\n"
    "Frame n is drawn at show time FROM + n * 1000 / FPS ms, exactly, until TO.\n"
    "A capture from a later moment first runs the frames before it that the\n"
    "capture's clock would have drawn, so it shows what a live viewer sees\n"
    "there. The snow steps once per frame, as in the live show, so its density\n"
    "follows the capture rate; it falls from a fixed seed, so two captures are\n"
    "identical. Every option is checked, and the outputs' places (free space\n"
    "included), before the first frame is drawn.\n"
    "\n"
    "Example: %s --size 1920x1080 --out show.mp4\n";

bool isDirectory(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}


// Seconds with up to three decimals, as milliseconds.
std::optional<std::uint64_t> parseSeconds(const std::string& text, std::uint64_t maxWhole)
{
    const std::size_t point = text.find('.');
    const auto whole = parseWhole(text.substr(0, point), maxWhole);
    if (!whole) {
        return std::nullopt;
    }
    std::uint64_t ms = *whole * msPerSecond;
    if (point != std::string::npos) {
        const std::string fraction = text.substr(point + 1);
        const auto digits = parseWhole(fraction, std::numeric_limits<std::uint64_t>::max());
        if (!digits || fraction.size() > msDigits) {
            return std::nullopt;
        }
        std::uint64_t scale = 1;
        for (std::size_t i = fraction.size(); i < msDigits; ++i) {
            scale *= decimalBase;
        }
        ms += *digits * scale;
    }
    return ms;
}

template <typename T, std::size_t N>
std::optional<T> choiceOf(const std::string& text, const std::array<std::pair<const char*, T>, N>& choices)
{
    for (const auto& [name, value] : choices) {
        if (text == name) {
            return value;
        }
    }
    return std::nullopt;
}

constexpr std::array<std::pair<const char*, VideoCodec>, 3> codecNames = {
    {{"h264", VideoCodec::H264}, {"h265", VideoCodec::H265}, {"ffv1", VideoCodec::Ffv1}}};
constexpr std::array<std::pair<const char*, VideoPixelFormat>, 3> pixelFormatNames = {
    {{"yuv420p", VideoPixelFormat::Yuv420}, {"yuv444p", VideoPixelFormat::Yuv444}, {"rgb", VideoPixelFormat::Rgb}}};

}  // namespace

std::optional<std::uint32_t> parseShowTime(const std::string& text)
{
    constexpr std::uint64_t largest = std::numeric_limits<std::uint32_t>::max();
    std::vector<std::string> fields;
    for (std::size_t begin = 0, colon = 0; colon != std::string::npos; begin = colon + 1) {
        colon = text.find(':', begin);
        fields.push_back(text.substr(begin, colon == std::string::npos ? colon : colon - begin));
    }
    std::optional<std::uint64_t> ms;
    if (fields.size() == 1 && hasEnding(text, "ms")) {
        ms = parseWhole(text.substr(0, text.size() - 2), largest);
    } else if (fields.size() == 1 && hasEnding(text, "s")) {
        ms = parseSeconds(text.substr(0, text.size() - 1), largest);
    } else if (fields.size() == 1) {
        ms = parseWhole(text, largest);
    } else if (fields.size() <= 3) {
        // [hours:]minutes:seconds: the fields after the first in two digits
        // each, below 60.
        ms = parseWhole(fields.front(), largest);
        for (std::size_t i = 1; i < fields.size() && ms; ++i) {
            const bool last = i + 1 == fields.size();
            const std::string& field = fields[i];
            const std::size_t wholeDigits = last ? field.find('.') : field.size();
            const auto value = last ? parseSeconds(field, secondsPerMinute - 1)
                                    : parseWhole(field, secondsPerMinute - 1);
            const bool twoDigits = (wholeDigits == std::string::npos ? field.size() : wholeDigits) == 2;
            ms = value && twoDigits ? std::optional{*ms * secondsPerMinute * (last ? msPerSecond : 1) + *value}
                                    : std::nullopt;
        }
    }
    if (!ms || *ms > largest) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*ms);
}

OutputKind outputKindOf(const std::string& path)
{
    if (hasEnding(path, ".mp4") || hasEnding(path, ".mkv")) {
        return OutputKind::Video;
    }
    if (hasEnding(path, "/") || isDirectory(path)) {
        return OutputKind::Pictures;
    }
    return OutputKind::None;
}

CaptureOptions readCaptureOptions(int argc, char** argv)
{
    CaptureOptions options;
    options.metadata = {showTitle, showArtist, showYear};
    CommandLine line(argc, argv);
    std::optional<int> crf;
    std::optional<VideoPixelFormat> pixelFormat;
    std::optional<std::uint64_t> startNumber;
    bool codecGiven = false;
    while (line.next()) {
        if (line.isFlag("--help")) {
            std::printf(helpText, line.program().c_str(), options.toMs, showTitle, showArtist, showYear,
                        line.program().c_str());
            std::exit(0);
        } else if (line.isFlag("--version")) {
            std::printf("%s %s\n", line.program().c_str(), SLEIGHRIDE_VERSION);
            std::exit(0);
        } else if (line.is("--from") || line.is("--to")) {
            const std::string text = line.value();
            const auto ms = parseShowTime(text);
            if (!ms) {
                line.fail(line.option() + " needs a show time as 75500, 75.5s, 1:15.5 or 1:01:15, not '" + text + "'");
            }
            (line.is("--from") ? options.fromMs : options.toMs) = *ms;
        } else if (line.is("--fps")) {
            const std::string text = line.value();
            const auto rate = parseFrameRate(text);
            if (!rate || rate->frames > largestRateNumber || rate->perSeconds > largestRateNumber ||
                rate->frames > fastestFps * rate->perSeconds) {
                line.fail("--fps needs frames per second as N or N/D, at most 1000 a second and each number at "
                          "most 1000000, not '" + text + "'");
            }
            options.rate = *rate;
        } else if (line.is("--size")) {
            const std::string text = line.value();
            const auto size = parsePictureSize(text);
            if (!size) {
                line.fail("--size needs WxH, each side 16 to 8192 pixels, not '" + text + "'");
            }
            options.size = *size;
        } else if (line.is("--supersample")) {
            const std::string text = line.value();
            const auto times = parseWhole(text, mostSupersampling);
            if (!times || *times == 0) {
                line.fail("--supersample needs 1 to 4, not '" + text + "'");
            }
            options.supersample = static_cast<int>(*times);
        } else if (line.is("--loop-music")) {
            options.loopMusic = true;
        } else if (line.is("--out")) {
            options.outPath = line.value();
            options.output = outputKindOf(options.outPath);
            if (options.output == OutputKind::None) {
                line.fail("--out needs a path ending in .mp4 or .mkv, or a directory, not '" + options.outPath + "'");
            }
        } else if (line.is("--storyboard")) {
            options.storyboardPath = line.value();
            if (!hasEnding(options.storyboardPath, ".png")) {
                line.fail("--storyboard needs a path ending in .png, not '" + options.storyboardPath + "'");
            }
        } else if (line.is("--audio")) {
            options.soundPath = line.value();
            if (!hasEnding(options.soundPath, ".wav") && !hasEnding(options.soundPath, ".flac")) {
                line.fail("--audio needs a path ending in .wav or .flac, not '" + options.soundPath + "'");
            }
        } else if (line.is("--codec")) {
            const std::string text = line.value();
            const auto codec = choiceOf(text, codecNames);
            if (!codec) {
                line.fail("--codec needs h264, h265 or ffv1, not '" + text + "'");
            }
            options.codec = *codec;
            codecGiven = true;
        } else if (line.is("--crf")) {
            const std::string text = line.value();
            const auto value = parseWhole(text, worstCrf);
            if (!value) {
                line.fail("--crf needs a whole number from 0 to 51, not '" + text + "'");
            }
            crf = static_cast<int>(*value);
        } else if (line.is("--preset")) {
            options.preset = line.value();
            bool known = false;
            for (const char* preset : presets) {
                known = known || options.preset == preset;
            }
            if (!known) {
                line.fail("--preset needs one of ultrafast, superfast, veryfast, faster, fast, medium, slow, "
                          "slower, veryslow, placebo, not '" + options.preset + "'");
            }
        } else if (line.is("--pix-fmt")) {
            const std::string text = line.value();
            pixelFormat = choiceOf(text, pixelFormatNames);
            if (!pixelFormat) {
                line.fail("--pix-fmt needs yuv420p, yuv444p or rgb, not '" + text + "'");
            }
        } else if (line.is("--title") || line.is("--artist")) {
            (line.is("--title") ? options.metadata.title : options.metadata.artist) = line.value();
        } else if (line.is("--year")) {
            options.metadata.year = line.value();
            const auto year = parseWhole(options.metadata.year, largestYear);
            if (!year || *year == 0) {
                line.fail("--year needs a year from 1 to 9999, not '" + options.metadata.year + "'");
            }
        } else if (line.is("--start-number")) {
            const std::string text = line.value();
            startNumber = parseWhole(text, std::numeric_limits<std::uint32_t>::max());
            if (!startNumber) {
                line.fail("--start-number needs a whole number, not '" + text + "'");
            }
        } else {
            line.failUnknown();
        }
    }

    const bool video = options.output == OutputKind::Video;
    if (options.output == OutputKind::None && options.storyboardPath.empty() && options.soundPath.empty()) {
        line.fail("nothing to capture: give --out, --storyboard or --audio");
    }
    if ((options.output != OutputKind::None || !options.soundPath.empty()) && options.toMs <= options.fromMs) {
        line.fail("--to must come after --from");
    }
    if (!video && (codecGiven || crf || !options.preset.empty() || pixelFormat)) {
        line.fail("--codec, --crf, --preset and --pix-fmt choose how a video is encoded: give --out FILE.mp4 or "
                  "FILE.mkv");
    }
    if (startNumber && options.output != OutputKind::Pictures) {
        line.fail("--start-number numbers PNG frames: give --out DIRECTORY/");
    }
    const bool lossless = options.codec == VideoCodec::Ffv1;
    if (lossless && video && !hasEnding(options.outPath, ".mkv")) {
        line.fail("--codec ffv1 needs a .mkv file: MP4 cannot hold it");
    }
    if (lossless && (crf || !options.preset.empty())) {
        line.fail("--crf and --preset are for h264 and h265: ffv1 is lossless");
    }
    if (!lossless && pixelFormat == VideoPixelFormat::Rgb) {
        line.fail("--pix-fmt rgb needs --codec ffv1");
    }
    options.pixelFormat = pixelFormat.value_or(lossless ? VideoPixelFormat::Rgb : VideoPixelFormat::Yuv420);
    options.crf = crf.value_or(options.codec == VideoCodec::H265 ? h265Crf : h264Crf);
    if (options.preset.empty() && !lossless) {
        options.preset = defaultPreset;
    }
    // Colour at half resolution both ways needs whole pairs of pixels.
    if (video && options.pixelFormat == VideoPixelFormat::Yuv420 &&
        (options.size.width % 2 != 0 || options.size.height % 2 != 0)) {
        line.fail("a yuv420p video's --size needs even sides");
    }
    options.startNumber = startNumber.value_or(FrameClock(options.rate, 0).framesBefore(options.fromMs));
    return options;
}
