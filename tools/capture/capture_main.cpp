// sleighride-capture: the show rendered offline on a fixed clock, into a
// video with its song, a folder of pictures or a storyboard.
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "app/audio.h"
#include "app/frame.h"
#include "app/set_up.h"
#include "app/splash.h"
#include "overlay/primitives.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/frame_clock.h"
#include "tools/capture/frame_queue.h"
#include "tools/capture/offscreen.h"
#include "tools/capture/output_file.h"
#include "tools/capture/png_file.h"
#include "tools/capture/progress.h"
#include "tools/capture/storyboard.h"
#include "tools/capture/video_encoder.h"

namespace {

constexpr int failureStatus = 1;
// What a shell reports for a program ended by ^C.
constexpr int interruptedStatus = 128 + SIGINT;
constexpr mode_t folderMode = 0755;
// Wide enough for a day of frames at 60 fps; longer captures still sort by
// number, just with longer names.
constexpr int frameNumberDigits = 6;

volatile std::sig_atomic_t interrupted = 0;

void noteInterrupt(int)
{
    interrupted = 1;
}

[[noreturn]] void fail(const std::string& why)
{
    std::fprintf(stderr, "sleighride-capture: %s\n", why.c_str());
    std::exit(failureStatus);
}

std::string framePath(const std::string& folder, std::uint64_t n)
{
    char name[32];
    std::snprintf(name, sizeof name, "%0*llu.png", frameNumberDigits, static_cast<unsigned long long>(n));
    return folder + (folder.back() == '/' ? "" : "/") + name;
}

// The song as a viewer hears it, from the first frame for exactly as long
// as the frames last, so that sound and picture end together.
std::vector<std::int16_t> soundOver(const CaptureOptions& options, std::uint64_t frames)
{
    const std::uint64_t samples = samplesLasting(frames, options.rate, mixerRate);
    const std::uint64_t lastingMs = (samples * msPerSecond + mixerRate - 1) / mixerRate;
    const auto endMs = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(options.fromMs + lastingMs, std::numeric_limits<std::uint32_t>::max()));
    std::vector<std::int16_t> sound = renderHeardMusic(musicBlock(), options.fromMs, endMs);
    sound.resize(samples * mixerChannels);
    return sound;
}

// Draws the capture's frames in order and hands each, read back, to
// deliver on the queue's thread. False, with why in error, if a delivery
// failed or if interrupted (after cancel).
template <typename Deliver, typename Cancel>
bool drawFrames(const CaptureOptions& options, const OffscreenScreen& screen, Deliver deliver, Cancel cancel,
                std::string& error)
{
    const auto state = std::make_unique<ShowState>(referenceSnowSeed);
    ShowCatchUp(options.rate).runFramesBefore(options.fromMs, *state);
    const FrameClock clock(options.rate, options.fromMs);
    const std::uint64_t frames = clock.framesBefore(options.toMs);
    Progress progress(stderr, frames, options.rate);
    FrameQueue queue(screen.frameBytes(), deliver);
    for (std::uint64_t n = 0; n < frames; ++n) {
        std::uint8_t* pixels = queue.nextBuffer();
        if (pixels == nullptr) {
            break;
        }
        if (interrupted != 0) {
            cancel();
            error = "interrupted";
            return false;
        }
        playFrame(clock.timeOf(n), *state);
        screen.read(pixels);
        queue.submit(n);
        progress.frameDone();
    }
    if (!queue.drain(error)) {
        return false;
    }
    progress.finish();
    return true;
}

// What can be known before any drawing: that each output can be written.
// What went wrong, "" if nothing.
std::string checkOutputs(const CaptureOptions& options)
{
    std::string error;
    if (!options.storyboardPath.empty() && !checkWritable(options.storyboardPath, error)) {
        return error;
    }
    if (options.output == OutputKind::Video && !checkWritable(options.outPath, error)) {
        return error;
    }
    if (options.output == OutputKind::Pictures) {
        if (mkdir(options.outPath.c_str(), folderMode) != 0 && errno != EEXIST) {
            return cannotWrite(options.outPath);
        }
        checkWritable(framePath(options.outPath, 0), error);
    }
    return error;
}

// Each returns what went wrong, "" if nothing did; an unfinished video is
// gone by then.
std::string captureVideo(const CaptureOptions& options, const std::string& ffmpeg, const OffscreenScreen& screen)
{
    const std::uint64_t frames = FrameClock(options.rate, options.fromMs).framesBefore(options.toMs);
    VideoEncoder encoder;
    std::string error;
    if (!encoder.start(ffmpeg, {options.outPath, options.size, options.rate, soundOver(options, frames)}, error)) {
        return error;
    }
    const bool drawn = drawFrames(
        options, screen,
        [&](std::uint64_t, const std::uint8_t* pixels, std::string& why) { return encoder.write(pixels, why); },
        [&] { encoder.cancel(); }, error);
    if (!drawn) {
        // ffmpeg's own account of a failure says more than a broken pipe.
        const std::string said = encoder.abandon();
        return said.empty() || interrupted != 0 ? error : said;
    }
    return encoder.finish(error) ? "" : error;
}

std::string capturePictures(const CaptureOptions& options, const OffscreenScreen& screen)
{
    const std::string& folder = options.outPath;
    std::string error;
    const int width = screen.width();
    const int height = screen.height();
    drawFrames(
        options, screen,
        [&](std::uint64_t n, const std::uint8_t* pixels, std::string& why) {
            // Read back bottom up: the top row is the last.
            const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(width) * OffscreenScreen::bytesPerPixel;
            const PixelRows rows{pixels + (height - 1) * stride, -stride, width, height, true};
            return writePng(framePath(folder, n), rows, PngEffort::Fast, why);
        },
        [] {}, error);
    return error;
}

}  // namespace

int main(int argc, char** argv)
{
    const CaptureOptions options = readCaptureOptions(argc, argv);
    // A write into ffmpeg's pipe after it has gone must fail, not kill.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGINT, noteInterrupt);
    std::signal(SIGTERM, noteInterrupt);

    std::string ffmpeg;
    if (options.output == OutputKind::Video) {
        ffmpeg = findFfmpeg();
        if (ffmpeg.empty()) {
            fail("cannot find ffmpeg on PATH, which encodes the video (Debian package ffmpeg)");
        }
    }
    std::string error = checkOutputs(options);
    if (!error.empty()) {
        fail(error);
    }

    OffscreenScreen screen(options.size.width, options.size.height);
    prepareDrawing(screen.width(), screen.height());
    // The show's first frame follows its splash, and draws over what the
    // splash left behind.
    drawSplashFrame();
    useShowViewport(screen.width(), screen.height());

    if (!options.storyboardPath.empty() && !writeStoryboard(options.storyboardPath, screen, options.rate, error)) {
        fail(error);
    }
    if (interrupted == 0 && options.output == OutputKind::Video) {
        error = captureVideo(options, ffmpeg, screen);
    } else if (interrupted == 0 && options.output == OutputKind::Pictures) {
        error = capturePictures(options, screen);
    }
    if (interrupted != 0) {
        std::fprintf(stderr, "\nsleighride-capture: interrupted\n");
        return interruptedStatus;
    }
    if (!error.empty()) {
        fail(error);
    }
    return 0;
}
