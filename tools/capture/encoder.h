// The video file, encoded by Debian's ffmpeg program in a process of its
// own: frames go to it raw through one pipe, the sound through another, and
// it writes H.264 (yuv420p, which every player plays) with AAC stereo into
// a temporary file that takes the video's name only once ffmpeg has
// finished it without error.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "app/command_line.h"

// The ffmpeg program on PATH, or "" where there is none.
std::string findFfmpeg();

struct VideoSettings {
    std::string path;  // ending in .mp4 or .mkv
    PictureSize size;
    FrameRate rate;
    // Interleaved 16-bit stereo at 44.1 kHz lasting as long as the frames;
    // none: a video without sound.
    std::vector<std::int16_t> sound;
};

class VideoEncoder {
public:
    VideoEncoder() = default;
    // Stops ffmpeg and removes the unfinished file, unless finished.
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Starts ffmpeg on the video's partial file. False, with why in error,
    // if it cannot be started.
    bool start(const std::string& ffmpeg, VideoSettings settings, std::string& error);
    // One frame: BGRX rows from the bottom up, as read back. False once
    // ffmpeg takes no more; finish then says why. May run on a thread of its
    // own, the only one writing frames.
    bool write(const std::uint8_t* pixels, std::string& error);
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
    std::string failure(const std::string& what);

    VideoSettings settings_;
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
