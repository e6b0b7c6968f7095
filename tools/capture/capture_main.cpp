// sleighride-capture: the show rendered offline on a fixed clock, into a
// video with its song, a folder of pictures, a storyboard or the sound
// alone.
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/audio.h"
#include "app/set_up.h"
#include "app/splash.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/encoder.h"
#include "tools/capture/frame_clock.h"
#include "tools/capture/frame_converter.h"
#include "tools/capture/frame_queue.h"
#include "tools/capture/offscreen.h"
#include "tools/capture/output_file.h"
#include "tools/capture/png_file.h"
#include "tools/capture/progress.h"
#include "tools/capture/storyboard.h"

namespace {

constexpr int failureStatus = 1;
// A program ended by a signal reports 128 plus its number, as a shell does.
constexpr int signalStatusBase = 128;
constexpr mode_t folderMode = 0755;
// Wide enough for a day of frames at 60 fps; longer captures still sort by
// number, just with longer names.
constexpr int frameNumberDigits = 6;
// What a PNG frame takes at most, per pixel: the closing card's gradients
// at the fast compression, with some to spare.
constexpr double pngBytesPerPixel = 0.3;
constexpr double bytesPerMegabyte = 1e6;

struct Stopping {
    int signal;
    const char* name;
};
constexpr Stopping stoppingSignals[] = {{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}};

volatile std::sig_atomic_t stoppedBy = 0;

void noteStop(int signal)
{
    stoppedBy = signal;
}

bool stopping()
{
    return stoppedBy != 0;
}

// Ends the capture as the signal asked, everything unfinished gone by now.
[[noreturn]] void endStopped()
{
    const int signal = stoppedBy;
    const char* name = "a signal";
    for (const Stopping& stop : stoppingSignals) {
        name = stop.signal == signal ? stop.name : name;
    }
    std::fprintf(stderr, "\nsleighride-capture: stopped by %s, nothing unfinished left\n", name);
    std::exit(signalStatusBase + signal);
}

// A failure ends the capture with status 1, unless a signal stopped it,
// which is then the failure's cause.
[[noreturn]] void fail(const std::string& why)
{
    if (stopping()) {
        endStopped();
    }
    std::fprintf(stderr, "sleighride-capture: %s\n", why.c_str());
    std::exit(failureStatus);
}

std::string framePath(const std::string& folder, std::uint64_t number)
{
    char name[32];
    std::snprintf(name, sizeof name, "%0*llu.png", frameNumberDigits, static_cast<unsigned long long>(number));
    return folder + (folder.back() == '/' ? "" : "/") + name;
}

std::uint64_t framesOf(const CaptureOptions& options)
{
    return FrameClock(options.rate, options.fromMs).framesBefore(options.toMs);
}

// The song as a viewer hears it, from the first frame for exactly as long
// as the frames last, so that sound and picture end together; played once
// unless asked to loop.
std::vector<std::int16_t> soundOver(const CaptureOptions& options)
{
    const std::uint64_t samples = samplesLasting(framesOf(options), options.rate, mixerRate);
    const std::uint64_t lastingMs = (samples * msPerSecond + mixerRate - 1) / mixerRate;
    const auto endMs = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(options.fromMs + lastingMs, std::numeric_limits<std::uint32_t>::max()));
    std::vector<std::int16_t> sound = renderHeardMusic(musicBlock(), options.fromMs, endMs,
                                                       options.loopMusic ? SongEnd::Loops : SongEnd::Stops);
    sound.resize(samples * mixerChannels);
    return sound;
}

EncodedFile videoFileOf(const CaptureOptions& options)
{
    EncodedFile file;
    file.path = options.outPath;
    file.video = true;
    file.size = options.size;
    file.rate = options.rate;
    file.codec = options.codec;
    file.crf = options.crf;
    file.preset = options.preset;
    file.pixelFormat = options.pixelFormat;
    file.metadata = options.metadata;
    return file;
}

EncodedFile soundFileOf(const CaptureOptions& options)
{
    EncodedFile file;
    file.path = options.soundPath;
    file.rate = options.rate;
    file.metadata = options.metadata;
    return file;
}

// The drawing's size: the show's screen, times the supersampling.
PictureSize drawnSizeOf(const CaptureOptions& options)
{
    return {screenWidth * options.supersample, screenHeight * options.supersample};
}

// Every output checked before anything is drawn: its place can be written,
// and the disks it goes to have room for about what it will take. What
// went wrong, "" if nothing.
std::string checkOutputs(const CaptureOptions& options)
{
    std::string error;
    // Paths with their expected sizes.
    std::vector<std::pair<std::string, std::uint64_t>> outputs;
    const std::uint64_t frames = framesOf(options);
    if (!options.storyboardPath.empty()) {
        if (!checkWritable(options.storyboardPath, error)) {
            return error;
        }
        outputs.emplace_back(options.storyboardPath, 0);
    }
    if (!options.soundPath.empty()) {
        if (!checkWritable(options.soundPath, error)) {
            return error;
        }
        outputs.emplace_back(options.soundPath, estimatedBytes(soundFileOf(options), frames));
    }
    if (options.output == OutputKind::Video) {
        if (!checkWritable(options.outPath, error)) {
            return error;
        }
        outputs.emplace_back(options.outPath, estimatedBytes(videoFileOf(options), frames));
    }
    if (options.output == OutputKind::Pictures) {
        if (mkdir(options.outPath.c_str(), folderMode) != 0 && errno != EEXIST) {
            return cannotWrite(options.outPath);
        }
        const std::string first = framePath(options.outPath, options.startNumber);
        if (!checkWritable(first, error)) {
            return error;
        }
        const double pixels = static_cast<double>(options.size.width) * options.size.height;
        outputs.emplace_back(first, static_cast<std::uint64_t>(pngBytesPerPixel * pixels * static_cast<double>(frames)));
    }
    // Outputs on one disk share its room.
    std::map<std::uint64_t, std::pair<DiskRoom, std::uint64_t>> disks;
    for (const auto& [path, bytes] : outputs) {
        DiskRoom room;
        if (!diskRoomFor(path, room, error)) {
            return error;
        }
        auto& disk = disks.try_emplace(room.device, room, 0).first->second;
        disk.second += bytes;
        if (disk.second > disk.first.freeBytes) {
            char numbers[128];
            std::snprintf(numbers, sizeof numbers, "needs about %.1f MB, and %.1f MB are free there",
                          static_cast<double>(disk.second) / bytesPerMegabyte,
                          static_cast<double>(disk.first.freeBytes) / bytesPerMegabyte);
            return "not enough room for " + path + ": the capture " + numbers;
        }
    }
    return "";
}

// Draws the capture's frames in order and hands each, read back, to
// deliver on the queue's thread. False, with why in error, if a delivery
// failed or if stopped (after cancel).
template <typename Deliver, typename Cancel>
bool drawFrames(const CaptureOptions& options, const OffscreenScreen& screen, Deliver deliver, Cancel cancel,
                std::string& error)
{
    CapturedShow show(options.rate);
    show.catchUpTo(options.fromMs);
    const FrameClock clock(options.rate, options.fromMs);
    const std::uint64_t frames = clock.framesBefore(options.toMs);
    Progress progress(stderr, frames, options.rate);
    FrameQueue queue(screen.frameBytes(), deliver);
    for (std::uint64_t n = 0; n < frames; ++n) {
        std::uint8_t* pixels = queue.nextBuffer();
        if (pixels == nullptr) {
            break;
        }
        if (stopping()) {
            cancel();
            error = "stopped";
            return false;
        }
        show.draw(clock.timeOf(n));
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

// Each returns what went wrong, "" if nothing did; an unfinished file is
// gone by then.
std::string captureVideo(const CaptureOptions& options, const std::string& ffmpeg, const OffscreenScreen& screen,
                         std::vector<std::int16_t> sound)
{
    EncodedFile file = videoFileOf(options);
    file.sound = std::move(sound);
    Encoder encoder;
    std::string error;
    if (!encoder.start(ffmpeg, std::move(file), error)) {
        return error;
    }
    // Converted on the queue's thread, beside the drawing of the next frame;
    // a frame like the one before (the closing card, two minutes of it)
    // goes again as it was converted.
    FrameConverter converter({screen.width(), screen.height()}, options.size, frameLayoutOf(options.pixelFormat));
    std::vector<std::uint8_t> converted(converter.outputBytes());
    const bool drawn = drawFrames(
        options, screen,
        [&](std::uint64_t, const std::uint8_t* pixels, const std::uint8_t* before, std::string& why) {
            if (before == nullptr || std::memcmp(pixels, before, screen.frameBytes()) != 0) {
                converter.convert(pixels, converted.data());
            }
            return encoder.write(converted.data(), why);
        },
        [&] { encoder.cancel(); }, error);
    if (!drawn) {
        // ffmpeg's own account of a failure says more than a broken pipe.
        const std::string said = encoder.abandon();
        return said.empty() || stopping() ? error : said;
    }
    return encoder.finish(error) ? "" : error;
}

std::string capturePictures(const CaptureOptions& options, const OffscreenScreen& screen)
{
    const std::string& folder = options.outPath;
    std::string error;
    const int width = screen.width();
    const int height = screen.height();
    const bool unscaled = width == options.size.width && height == options.size.height;
    FrameConverter converter({width, height}, options.size, FrameLayout::Rgb24);
    std::vector<std::uint8_t> converted(unscaled ? 0 : converter.outputBytes());
    drawFrames(
        options, screen,
        [&](std::uint64_t n, const std::uint8_t* pixels, const std::uint8_t*, std::string& why) {
            const std::string path = framePath(folder, options.startNumber + n);
            if (unscaled) {
                // Read back bottom up: the top row is the last.
                const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(width) * OffscreenScreen::bytesPerPixel;
                const PixelRows rows{pixels + (height - 1) * stride, -stride, width, height, true};
                return writePng(path, rows, PngEffort::Fast, why);
            }
            converter.convert(pixels, converted.data());
            const PixelRows rows{converted.data(), options.size.width * 3, options.size.width, options.size.height,
                                 false};
            return writePng(path, rows, PngEffort::Fast, why);
        },
        [] {}, error);
    return error;
}

std::string captureSound(const CaptureOptions& options, const std::string& ffmpeg, std::vector<std::int16_t> sound)
{
    EncodedFile file = soundFileOf(options);
    file.sound = std::move(sound);
    Encoder encoder;
    std::string error;
    if (!encoder.start(ffmpeg, std::move(file), error) || !encoder.finish(error)) {
        return error;
    }
    return "";
}

}  // namespace

int main(int argc, char** argv)
{
    const CaptureOptions options = readCaptureOptions(argc, argv);
    // A write into ffmpeg's pipe after it has gone must fail, not kill.
    std::signal(SIGPIPE, SIG_IGN);
    for (const Stopping& stop : stoppingSignals) {
        std::signal(stop.signal, noteStop);
    }

    const bool video = options.output == OutputKind::Video;
    std::string ffmpeg;
    if (video || !options.soundPath.empty()) {
        ffmpeg = findFfmpeg();
        if (ffmpeg.empty()) {
            fail("cannot find ffmpeg on PATH, which encodes the video and the sound (Debian package ffmpeg)");
        }
        std::vector<std::string> encoders;
        if (video) {
            encoders = encodersFor(videoFileOf(options));
        }
        if (!options.soundPath.empty()) {
            const std::vector<std::string> more = encodersFor(soundFileOf(options));
            encoders.insert(encoders.end(), more.begin(), more.end());
        }
        const std::string missing = missingEncoders(ffmpeg, encoders);
        if (!missing.empty()) {
            fail(missing);
        }
    }
    std::string error = checkOutputs(options);
    if (!error.empty()) {
        fail(error);
    }
    if (stopping()) {
        endStopped();
    }

    std::vector<std::int16_t> sound;
    if (video || !options.soundPath.empty()) {
        sound = soundOver(options);
    }
    if (!options.soundPath.empty() && !stopping()) {
        error = captureSound(options, ffmpeg, sound);
        if (!error.empty()) {
            fail(error);
        }
    }
    if (stopping()) {
        endStopped();
    }
    if (options.output == OutputKind::None && options.storyboardPath.empty()) {
        return 0;
    }

    // The software renderer's own threads cost more processor time in
    // handing work over than they save, and the capture already draws
    // beside the encoder; the frames are the same either way.
    setenv("LP_NUM_THREADS", "0", 0);
    const PictureSize drawn = drawnSizeOf(options);
    OffscreenScreen screen(drawn.width, drawn.height);
    prepareDrawing(screen.width(), screen.height());
    // The show's first frame follows its splash, and draws over what the
    // splash left behind.
    drawSplashFrame();
    useShowViewport(screen.width(), screen.height());

    if (!options.storyboardPath.empty() && !stopping() &&
        !writeStoryboard(options.storyboardPath, screen, options.rate, error)) {
        fail(error);
    }
    if (!stopping() && video) {
        error = captureVideo(options, ffmpeg, screen, std::move(sound));
    } else if (!stopping() && options.output == OutputKind::Pictures) {
        error = capturePictures(options, screen);
    }
    if (stopping()) {
        endStopped();
    }
    if (!error.empty()) {
        fail(error);
    }
    return 0;
}
