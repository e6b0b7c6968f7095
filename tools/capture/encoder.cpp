#include "tools/capture/encoder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/audio.h"
#include "tools/capture/output_file.h"

extern char** environ;

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the sound goes to ffmpeg as s16le");

namespace {

constexpr const char* soundBitrate = "192k";
constexpr double soundBytesPerSecond = 192000 / 8;
// Per sample of each channel together.
constexpr double wavBytesPerSample = mixerChannels * sizeof(std::int16_t);
// What the show's frames have taken per pixel, at most, over its sections
// (the ride's laid track, the heart chase, the closing card) at 1024 x 768,
// with half as much again for the soft edges of scaled sizes: x264 at CRF 18
// in 4:2:0 0.0019 bytes; FFV1 0.2; each 6 steps of CRF halve or double it.
constexpr double lossyBytesPerPixel = 0.004;
constexpr int lossyReferenceCrf = 18;
constexpr double crfStepsPerDoubling = 6;
constexpr double fullColourFactor = 2;
constexpr double losslessBytesPerPixel = 0.3;
// Where ffmpeg finds the sound: the descriptor after stdin, stdout, stderr.
constexpr int soundDescriptor = 3;
// A larger pipe lets a frame go across in fewer turns.
constexpr int framePipeBytes = 1 << 20;
// Only ffmpeg's last words matter when it fails.
constexpr std::size_t keptMessageBytes = 4096;

// Writes all of the bytes, however the pipe takes them; false when the
// reader has gone.
bool writeAll(int fd, const std::uint8_t* bytes, std::size_t count)
{
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

void closeIfOpen(int& fd)
{
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

void add(std::vector<std::string>& arguments, std::initializer_list<std::string> more)
{
    arguments.insert(arguments.end(), more);
}

std::string soundEncoderOf(const EncodedFile& file)
{
    if (!file.video) {
        return hasEnding(file.path, ".flac") ? "flac" : "pcm_s16le";
    }
    // Lossless pictures get lossless sound.
    return file.codec == VideoCodec::Ffv1 ? "flac" : "aac";
}

std::string videoEncoderOf(VideoCodec codec)
{
    switch (codec) {
    case VideoCodec::H264: return "libx264";
    case VideoCodec::H265: return "libx265";
    case VideoCodec::Ffv1: return "ffv1";
    }
    return "";
}

std::string rawFormatOf(VideoPixelFormat format)
{
    switch (format) {
    case VideoPixelFormat::Yuv420: return "yuv420p";
    case VideoPixelFormat::Yuv444: return "yuv444p";
    case VideoPixelFormat::Rgb: return "bgr0";
    }
    return "";
}

std::vector<std::string> ffmpegArguments(const std::string& ffmpeg, const EncodedFile& file, const std::string& into)
{
    const bool withSound = !file.sound.empty();
    std::vector<std::string> arguments = {ffmpeg, "-hide_banner", "-nostdin", "-loglevel", "error", "-y"};
    if (file.video) {
        // The frames as converted: top down, in the layout the encoder
        // takes, so that ffmpeg only encodes them.
        add(arguments, {"-f", "rawvideo", "-pix_fmt", rawFormatOf(file.pixelFormat), "-video_size",
                        std::to_string(file.size.width) + "x" + std::to_string(file.size.height), "-framerate",
                        std::to_string(file.rate.frames) + "/" + std::to_string(file.rate.perSeconds), "-i",
                        "pipe:0"});
    }
    if (withSound) {
        add(arguments, {"-f", "s16le", "-ar", std::to_string(mixerRate), "-ac", std::to_string(mixerChannels), "-i",
                        "pipe:" + std::to_string(soundDescriptor)});
    }
    if (file.video) {
        add(arguments, {"-c:v", videoEncoderOf(file.codec)});
        switch (file.codec) {
        case VideoCodec::H264: add(arguments, {"-preset", file.preset, "-crf", std::to_string(file.crf)}); break;
        case VideoCodec::H265:
            // hvc1: the tag Apple's players need; x265 otherwise prints its
            // settings on stderr.
            add(arguments, {"-preset", file.preset, "-crf", std::to_string(file.crf), "-tag:v", "hvc1",
                            "-x265-params", "log-level=error"});
            break;
        case VideoCodec::Ffv1:
            // The archival settings: version 3, every frame a key frame,
            // each slice with a checksum.
            add(arguments, {"-level", "3", "-g", "1", "-slicecrc", "1"});
            break;
        }
        if (file.pixelFormat == VideoPixelFormat::Rgb) {
            add(arguments, {"-colorspace", "rgb", "-color_primaries", "bt709", "-color_trc", "iec61966-2-1",
                            "-color_range", "pc"});
        } else {
            add(arguments, {"-colorspace", "bt709", "-color_primaries", "bt709", "-color_trc", "bt709",
                            "-color_range", "tv"});
        }
        if (file.pixelFormat == VideoPixelFormat::Yuv420) {
            add(arguments, {"-chroma_sample_location", "center"});
        }
    }
    if (withSound) {
        add(arguments, {"-c:a", soundEncoderOf(file)});
        if (soundEncoderOf(file) == "aac") {
            add(arguments, {"-b:a", soundBitrate});
        }
    }
    add(arguments, {"-metadata", "title=" + file.metadata.title, "-metadata", "artist=" + file.metadata.artist,
                    "-metadata", "date=" + file.metadata.year});
    std::string format = "wav";
    if (hasEnding(file.path, ".mp4")) {
        // The index first, so that a player can start before it has it all.
        add(arguments, {"-movflags", "+faststart"});
        format = "mp4";
    } else if (hasEnding(file.path, ".mkv")) {
        format = "matroska";
    } else if (hasEnding(file.path, ".flac")) {
        format = "flac";
    }
    add(arguments, {"-f", format, into});
    return arguments;
}

// The arguments as posix_spawn takes them.
std::vector<char*> argvOf(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

}  // namespace

std::string findFfmpeg()
{
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    std::size_t begin = 0;
    while (begin <= folders.size()) {
        std::size_t end = folders.find(':', begin);
        if (end == std::string::npos) {
            end = folders.size();
        }
        const std::string folder = end > begin ? folders.substr(begin, end - begin) : ".";
        const std::string candidate = folder + "/ffmpeg";
        struct stat status {};
        if (stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        begin = end + 1;
    }
    return "";
}

std::string missingEncoders(const std::string& ffmpeg, const std::vector<std::string>& encoders)
{
    int output[2] = {-1, -1};
    if (pipe2(output, O_CLOEXEC) != 0) {
        return std::string("cannot make a pipe to ffmpeg: ") + std::strerror(errno);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const std::vector<std::string> arguments = {ffmpeg, "-hide_banner", "-encoders"};
    std::vector<char*> argv = argvOf(arguments);
    pid_t child = -1;
    const int spawned = posix_spawn(&child, ffmpeg.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    std::string listed;
    char buffer[4096];
    ssize_t got = 0;
    while (spawned == 0 && ((got = read(output[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))) {
        listed.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    }
    close(output[0]);
    int status = 0;
    while (spawned == 0 && waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return "cannot list ffmpeg's encoders (" + ffmpeg + " -encoders " +
               (spawned != 0 ? std::string("did not start: ") + std::strerror(spawned) : std::string("failed")) + ")";
    }
    // Lines as " V....D libx264    description".
    std::vector<std::string> missing = encoders;
    std::size_t begin = 0;
    while (begin < listed.size()) {
        std::size_t end = listed.find('\n', begin);
        end = end == std::string::npos ? listed.size() : end;
        char flags[16] = "";
        char name[64] = "";
        if (std::sscanf(listed.substr(begin, end - begin).c_str(), " %15s %63s", flags, name) == 2) {
            missing.erase(std::remove(missing.begin(), missing.end(), std::string(name)), missing.end());
        }
        begin = end + 1;
    }
    if (missing.empty()) {
        return "";
    }
    std::string names;
    for (const std::string& encoder : missing) {
        names += (names.empty() ? "" : ", ") + encoder;
    }
    return ffmpeg + " has no " + names + " encoder (Debian's ffmpeg has them all)";
}

FrameLayout frameLayoutOf(VideoPixelFormat format)
{
    switch (format) {
    case VideoPixelFormat::Yuv420: return FrameLayout::Yuv420;
    case VideoPixelFormat::Yuv444: return FrameLayout::Yuv444;
    case VideoPixelFormat::Rgb: return FrameLayout::Bgr0;
    }
    return FrameLayout::Yuv420;
}

std::vector<std::string> encodersFor(const EncodedFile& file)
{
    if (!file.video) {
        return {soundEncoderOf(file)};
    }
    return {videoEncoderOf(file.codec), soundEncoderOf(file)};
}

std::uint64_t estimatedBytes(const EncodedFile& file, std::uint64_t frames)
{
    const double seconds = static_cast<double>(frames) * file.rate.perSeconds / file.rate.frames;
    const double wavBytes = seconds * mixerRate * wavBytesPerSample;
    if (!file.video) {
        return static_cast<std::uint64_t>(wavBytes);
    }
    double perPixel = losslessBytesPerPixel;
    if (file.codec != VideoCodec::Ffv1) {
        perPixel = lossyBytesPerPixel * std::exp2((lossyReferenceCrf - file.crf) / crfStepsPerDoubling) *
                   (file.pixelFormat == VideoPixelFormat::Yuv444 ? fullColourFactor : 1);
        perPixel = std::min(perPixel, losslessBytesPerPixel);
    }
    const double soundBytes = soundEncoderOf(file) == "aac" ? seconds * soundBytesPerSecond : wavBytes;
    return static_cast<std::uint64_t>(soundBytes +
                                      perPixel * file.size.width * file.size.height * static_cast<double>(frames));
}

Encoder::~Encoder()
{
    stop();
}

bool Encoder::start(const std::string& ffmpeg, EncodedFile file, std::string& error)
{
    file_ = std::move(file);
    frameBytes_ = file_.video ? frameBytesOf(file_.size, frameLayoutOf(file_.pixelFormat)) : 0;
    partial_ = partialPathOf(file_.path);

    int frames[2] = {-1, -1};
    int sound[2] = {-1, -1};
    int messages[2] = {-1, -1};
    const bool withSound = !file_.sound.empty();
    if ((file_.video && pipe2(frames, O_CLOEXEC) != 0) || (withSound && pipe2(sound, O_CLOEXEC) != 0) ||
        pipe2(messages, O_CLOEXEC) != 0) {
        error = std::string("cannot make pipes to ffmpeg: ") + std::strerror(errno);
        for (int fd : {frames[0], frames[1], sound[0], sound[1], messages[0], messages[1]}) {
            if (fd >= 0) {
                close(fd);
            }
        }
        return false;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, messages[1], STDERR_FILENO);
    if (file_.video) {
        fcntl(frames[1], F_SETPIPE_SZ, framePipeBytes);
        posix_spawn_file_actions_adddup2(&actions, frames[0], STDIN_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    if (withSound) {
        posix_spawn_file_actions_adddup2(&actions, sound[0], soundDescriptor);
    }
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // A group of its own, so that ^C reaches only the capture, which then
    // ends ffmpeg itself; and the broken-pipe signal the capture ignores back
    // to its default.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);

    const std::vector<std::string> arguments = ffmpegArguments(ffmpeg, file_, partial_);
    std::vector<char*> argv = argvOf(arguments);
    const int spawned = posix_spawn(&child_, ffmpeg.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    closeIfOpen(frames[0]);
    close(messages[1]);
    closeIfOpen(sound[0]);
    framesIn_ = frames[1];
    soundIn_ = sound[1];
    messagesOut_ = messages[0];
    if (spawned != 0) {
        child_ = -1;
        error = "cannot start " + ffmpeg + ": " + std::strerror(spawned);
        stop();
        return false;
    }

    messageReader_ = std::thread([this] {
        char buffer[512];
        while (true) {
            const ssize_t got = read(messagesOut_, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;
            }
            messages_.append(buffer, static_cast<std::size_t>(got));
            if (messages_.size() > keptMessageBytes) {
                messages_.erase(0, messages_.size() - keptMessageBytes);
            }
        }
    });
    if (withSound) {
        // Its own thread: ffmpeg reads sound and frames as it needs them.
        soundWriter_ = std::thread([this] {
            writeAll(soundIn_, reinterpret_cast<const std::uint8_t*>(file_.sound.data()),
                     file_.sound.size() * sizeof(std::int16_t));
            closeIfOpen(soundIn_);
        });
    }
    return true;
}

bool Encoder::write(const std::uint8_t* frame, std::string& error)
{
    if (writeAll(framesIn_, frame, frameBytes_)) {
        return true;
    }
    error = "ffmpeg stopped taking frames";
    return false;
}

std::string Encoder::abandon()
{
    const std::string said = failure();
    stop();
    return said;
}

void Encoder::cancel()
{
    if (child_ > 0) {
        kill(child_, SIGKILL);
    }
}

bool Encoder::finish(std::string& error)
{
    const std::string failed = failure();
    if (!failed.empty()) {
        error = failed;
        return false;
    }
    if (std::rename(partial_.c_str(), file_.path.c_str()) != 0) {
        error = cannotWrite(file_.path);
        stop();
        return false;
    }
    partial_.clear();
    return true;
}

// Ends the input and waits for ffmpeg; what went wrong, "" if nothing did.
std::string Encoder::failure()
{
    closeIfOpen(framesIn_);
    if (soundWriter_.joinable()) {
        soundWriter_.join();
    }
    int status = 0;
    if (child_ > 0) {
        while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
        }
        child_ = -1;
    }
    if (messageReader_.joinable()) {
        messageReader_.join();
    }
    closeIfOpen(messagesOut_);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return "";
    }
    std::string reason = WIFEXITED(status) ? "exit status " + std::to_string(WEXITSTATUS(status))
                                           : "killed by signal " + std::to_string(WTERMSIG(status));
    std::string said = messages_;
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r')) {
        said.pop_back();
    }
    said = said.substr(said.find_last_of('\n') == std::string::npos ? 0 : said.find_last_of('\n') + 1);
    std::string message = "ffmpeg failed writing " + file_.path + " (" + reason + ")";
    if (!said.empty()) {
        message += ": " + said;
    }
    return message;
}

void Encoder::stop()
{
    cancel();
    failure();
    closeIfOpen(soundIn_);
    if (!partial_.empty()) {
        std::remove(partial_.c_str());
        partial_.clear();
    }
}
