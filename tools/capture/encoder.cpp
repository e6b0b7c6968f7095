#include "tools/capture/video_encoder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/audio.h"
#include "tools/capture/offscreen.h"
#include "tools/capture/output_file.h"

extern char** environ;

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the sound goes to ffmpeg as s16le");

namespace {

// Fast enough to keep up with the drawing on two cores; visually lossless
// at this quality for the show's flat colours and hard edges.
constexpr const char* videoPreset = "veryfast";
constexpr const char* videoQuality = "18";
constexpr const char* soundBitrate = "192k";
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

std::vector<std::string> ffmpegArguments(const std::string& ffmpeg, const VideoSettings& settings,
                                         const std::string& into)
{
    const bool withSound = !settings.sound.empty();
    const bool mp4 = hasEnding(settings.path, ".mp4");
    std::vector<std::string> arguments = {
        ffmpeg, "-hide_banner", "-nostdin", "-loglevel", "error", "-y",
        // The frames as read back: 4 bytes a pixel, rows from the bottom up.
        "-f", "rawvideo", "-pix_fmt", "bgr0",
        "-video_size", std::to_string(settings.size.width) + "x" + std::to_string(settings.size.height),
        "-framerate", std::to_string(settings.rate.frames) + "/" + std::to_string(settings.rate.perSeconds),
        "-i", "pipe:0"};
    if (withSound) {
        arguments.insert(arguments.end(), {"-f", "s16le", "-ar", std::to_string(mixerRate), "-ac",
                                           std::to_string(mixerChannels), "-i",
                                           "pipe:" + std::to_string(soundDescriptor)});
    }
    // vflip turns the rows over without copying them.
    arguments.insert(arguments.end(), {"-vf", "vflip", "-c:v", "libx264", "-preset", videoPreset, "-crf",
                                       videoQuality, "-pix_fmt", "yuv420p"});
    if (withSound) {
        arguments.insert(arguments.end(), {"-c:a", "aac", "-b:a", soundBitrate});
    }
    if (mp4) {
        // The index first, so that a player can start before it has it all.
        arguments.insert(arguments.end(), {"-movflags", "+faststart"});
    }
    arguments.insert(arguments.end(), {"-f", mp4 ? "mp4" : "matroska", into});
    return arguments;
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

VideoEncoder::~VideoEncoder()
{
    stop();
}

bool VideoEncoder::start(const std::string& ffmpeg, VideoSettings settings, std::string& error)
{
    settings_ = std::move(settings);
    frameBytes_ =
        static_cast<std::size_t>(settings_.size.width) * settings_.size.height * OffscreenScreen::bytesPerPixel;
    partial_ = partialPathOf(settings_.path);

    int frames[2] = {-1, -1};
    int sound[2] = {-1, -1};
    int messages[2] = {-1, -1};
    const bool withSound = !settings_.sound.empty();
    if (pipe2(frames, O_CLOEXEC) != 0 || (withSound && pipe2(sound, O_CLOEXEC) != 0) ||
        pipe2(messages, O_CLOEXEC) != 0) {
        error = std::string("cannot make pipes to ffmpeg: ") + std::strerror(errno);
        for (int fd : {frames[0], frames[1], sound[0], sound[1], messages[0], messages[1]}) {
            if (fd >= 0) {
                close(fd);
            }
        }
        return false;
    }
    fcntl(frames[1], F_SETPIPE_SZ, framePipeBytes);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, messages[1], STDERR_FILENO);
    posix_spawn_file_actions_adddup2(&actions, frames[0], STDIN_FILENO);
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

    const std::vector<std::string> arguments = ffmpegArguments(ffmpeg, settings_, partial_);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&child_, ffmpeg.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(frames[0]);
    close(messages[1]);
    if (withSound) {
        close(sound[0]);
    }
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
            writeAll(soundIn_, reinterpret_cast<const std::uint8_t*>(settings_.sound.data()),
                     settings_.sound.size() * sizeof(std::int16_t));
            closeIfOpen(soundIn_);
        });
    }
    return true;
}

bool VideoEncoder::write(const std::uint8_t* pixels, std::string& error)
{
    if (writeAll(framesIn_, pixels, frameBytes_)) {
        return true;
    }
    error = "ffmpeg stopped taking frames";
    return false;
}

std::string VideoEncoder::abandon()
{
    const std::string said = failure("");
    stop();
    return said;
}

void VideoEncoder::cancel()
{
    if (child_ > 0) {
        kill(child_, SIGKILL);
    }
}

bool VideoEncoder::finish(std::string& error)
{
    const std::string failed = failure("");
    if (!failed.empty()) {
        error = failed;
        return false;
    }
    if (std::rename(partial_.c_str(), settings_.path.c_str()) != 0) {
        error = cannotWrite(settings_.path);
        stop();
        return false;
    }
    partial_.clear();
    return true;
}

// Ends the input and waits for ffmpeg; what went wrong, "" if nothing did.
std::string VideoEncoder::failure(const std::string& what)
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
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && what.empty()) {
        return "";
    }
    std::string reason = WIFEXITED(status) ? "exit status " + std::to_string(WEXITSTATUS(status))
                                           : "killed by signal " + std::to_string(WTERMSIG(status));
    std::string said = messages_;
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r')) {
        said.pop_back();
    }
    said = said.substr(said.find_last_of('\n') == std::string::npos ? 0 : said.find_last_of('\n') + 1);
    std::string message = "ffmpeg failed writing " + settings_.path + " (" + reason + ")";
    if (!said.empty()) {
        message += ": " + said;
    } else if (!what.empty()) {
        message += ": " + what;
    }
    return message;
}

void VideoEncoder::stop()
{
    cancel();
    failure("");
    closeIfOpen(soundIn_);
    if (!partial_.empty()) {
        std::remove(partial_.c_str());
        partial_.clear();
    }
}
