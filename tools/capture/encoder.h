// Files that Debian's ffmpeg program encodes, in a process of its own: a
// video, its frames through one pipe and its sound through another, or the
// sound alone. Each is written under a temporary name and takes its own
// only once ffmpeg has finished it without error.
//
// Video is tagged with what it holds, so that every player shows the
// colours drawn: BT.709 primaries, transfer and matrix in limited range,
// chroma sited between its pixels (as the 4:2:0 averaging makes it); or,
// for RGB, the RGB matrix in full range with the sRGB transfer.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "app/command_line.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/frame_converter.h"

// The ffmpeg program on PATH, or "" where there is none.
std::string findFfmpeg();

// What is missing from that ffmpeg for these encoders (as ffmpeg names
// them): "" if nothing is, else a line saying which.
std::string missingEncoders(const std::string& ffmpeg, const std::vector<std::string>& encoders);

struct EncodedFile {
    // Ending in .mp4 or .mkv for a video, .wav or .flac for sound alone.
    std::string path;
    // Frames, for a video: their size and rate, and how they come.
    bool video = false;
    PictureSize size;
    FrameRate rate;
    VideoCodec codec = VideoCodec::H264;
    int crf = 0;
    std::string preset;
    VideoPixelFormat pixelFormat = VideoPixelFormat::Yuv420;
    Metadata metadata;
    // Interleaved 16-bit stereo at 44.1 kHz lasting as long as the frames;
    // none: a video without sound.
    std::vector<std::int16_t> sound;
};

// How a video's frames go to the encoder for that pixel format.
FrameLayout frameLayoutOf(VideoPixelFormat format);

// The encoders a file with its sound needs, as ffmpeg names them.
std::vector<std::string> encodersFor(const EncodedFile& file);

// About how many bytes the file with its sound will take for that many
// frames' time, erring large, so that a disk too small for it is found
// before the capture starts.
std::uint64_t estimatedBytes(const EncodedFile& file, std::uint64_t frames);

class Encoder {
public:
    Encoder() = default;
    // Stops ffmpeg and removes the unfinished file, unless finished.
    ~Encoder();
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    // Starts ffmpeg on the file's partial name. False, with why in error,
    // if it cannot be started.
    bool start(const std::string& ffmpeg, EncodedFile file, std::string& error);
    // One frame in frameLayoutOf(pixel format), frameBytes() long. False
    // once ffmpeg takes no more; finish then says why. May run on a thread
    // of its own, the only one writing frames.
    bool write(const std::uint8_t* frame, std::string& error);
    std::size_t frameBytes() const { return frameBytes_; }
    // Ends the input, waits for ffmpeg and names the finished file. False,
    // with why in error, if ffmpeg failed.
    bool finish(std::string& error);
    // Ends the input short and waits for ffmpeg, leaving no file; what
    // ffmpeg said went wrong, if anything.
    std::string abandon();
    // Ends ffmpeg at once, so that a write waiting on it returns; the file
    // is removed when the encoder goes.
    void cancel();

private:
    void stop();
    std::string failure();

    EncodedFile file_;
    std::string partial_;
    std::size_t frameBytes_ = 0;
    pid_t child_ = -1;
    int framesIn_ = -1;
    int soundIn_ = -1;
    int messagesOut_ = -1;
    std::string messages_;
    std::thread soundWriter_;
    std::thread messageReader_;
};
