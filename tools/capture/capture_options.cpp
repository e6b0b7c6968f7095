#include "tools/capture/capture_options.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "tools/capture/output_file.h"

namespace {

constexpr const char* helpText =
    "Usage: %s [OPTION]...\n"
    "Renders the show offline on a fixed clock, frame by frame, into a video or\n"
    "a folder of pictures. Needs no display and no sound device.\n"
    "\n"
    "  --from MS           show time of the first frame, in ms (default 0)\n"
    "  --to MS             show time the capture ends before (default %u)\n"
    "  --fps N, --fps N/D  frames per second, or per D seconds (default 60;\n"
    "                      60000/1001 for 59.94)\n"
    "  --size WxH          picture size (default 1024x768); the 4:3 picture is\n"
    "                      scaled to fit and centred with black bars, so\n"
    "                      1920x1080 gives a 1080p video\n"
    "  --out PATH          PATH.mp4 or PATH.mkv: H.264 video with the song as\n"
    "                      AAC stereo, as a viewer hears it (ffmpeg encodes);\n"
    "                      a directory, or a path ending in /: one PNG per\n"
    "                      frame, named by its number\n"
    "  --storyboard FILE   a contact sheet PNG: one labelled frame per layer of\n"
    "                      the show\n"
    "  --help, --version\n"
    "\n"
    "Frame n is drawn at show time FROM + n * 1000 / FPS ms, exactly, until TO.\n"
    "A capture from a later moment first runs the frames before it that the\n"
    "capture's clock would have drawn, so it shows what a live viewer sees\n"
    "there. The snow steps once per frame, as in the live show, so its density\n"
    "follows the capture rate; it falls from a fixed seed, so two captures are\n"
    "identical.\n"
    "\n"
    "Example: %s --size 1920x1080 --out show.mp4\n";

bool isDirectory(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

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
    CommandLine line(argc, argv);
    while (line.next()) {
        if (line.is("--help")) {
            std::printf(helpText, line.program().c_str(), options.toMs, line.program().c_str());
            std::exit(0);
        } else if (line.is("--version")) {
            std::printf("%s %s\n", line.program().c_str(), SLEIGHRIDE_VERSION);
            std::exit(0);
        } else if (line.is("--from") || line.is("--to")) {
            const std::string text = line.value();
            const auto ms = parseMilliseconds(text);
            if (!ms) {
                line.fail(line.option() + " needs whole milliseconds, not '" + text + "'");
            }
            (line.is("--from") ? options.fromMs : options.toMs) = *ms;
        } else if (line.is("--fps")) {
            const std::string text = line.value();
            const auto rate = parseFrameRate(text);
            if (!rate) {
                line.fail("--fps needs frames per second as N or N/D, not '" + text + "'");
            }
            options.rate = *rate;
        } else if (line.is("--size")) {
            const std::string text = line.value();
            const auto size = parsePictureSize(text);
            if (!size) {
                line.fail("--size needs WxH, each side 16 to 8192 pixels, not '" + text + "'");
            }
            options.size = *size;
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
        } else {
            line.failUnknown();
        }
    }
    if (options.output == OutputKind::None && options.storyboardPath.empty()) {
        line.fail("nothing to capture: give --out or --storyboard");
    }
    if (options.output != OutputKind::None && options.toMs <= options.fromMs) {
        line.fail("--to must come after --from");
    }
    // The video's colours are stored at half resolution both ways.
    if (options.output == OutputKind::Video && (options.size.width % 2 != 0 || options.size.height % 2 != 0)) {
        line.fail("a video's --size needs even sides");
    }
    return options;
}
