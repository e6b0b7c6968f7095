// What a capture is asked to do, read from its command line. Help and
// version end the program with status 0; anything that cannot be read, or
// is out of range, ends it with one line and status 2, before anything is
// drawn.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/command_line.h"
#include "app/show_layers.h"

enum class OutputKind {
    None,
    Video,     // .mp4 or .mkv
    Pictures,  // a directory: one PNG per frame
};

enum class VideoCodec { H264, H265, Ffv1 };

// How a video stores its colours: YCbCr with the colour at half or full
// resolution, or the RGB as drawn (lossless FFV1 only).
enum class VideoPixelFormat { Yuv420, Yuv444, Rgb };

// The tags a video or sound file carries.
struct Metadata {
    std::string title;
    std::string artist;
    std::string year;
};

struct CaptureOptions {
    std::uint32_t fromMs = 0;
    // The end of the closing card, after which the screen stays black.
    std::uint32_t toMs = showEndMs;
    FrameRate rate{60, 1};
    PictureSize size{1024, 768};
    OutputKind output = OutputKind::None;
    std::string outPath;
    std::string storyboardPath;
    // The sound alone, as WAV or FLAC; "" for none.
    std::string soundPath;
    VideoCodec codec = VideoCodec::H264;
    // Filled in for the codec when not given: quality (x264 and x265),
    // speed preset, pixel format.
    int crf = 0;
    std::string preset;
    VideoPixelFormat pixelFormat = VideoPixelFormat::Yuv420;
    // The song loops on after its end as in the live show, instead of
    // falling silent.
    bool loopMusic = false;
    Metadata metadata;
    // The first PNG frame's number: by default its number on the capture's
    // clock run from the show's start, so that captures of different spans
    // at one rate name their frames apart.
    std::uint64_t startNumber = 0;
    // Frames drawn at this many times the show's size, then scaled down.
    int supersample = 1;
};

CaptureOptions readCaptureOptions(int argc, char** argv);

// What --out names: a video by its ending, a directory by a trailing slash
// or by being one.
OutputKind outputKindOf(const std::string& path);

// A show time as the options take it: whole milliseconds ("75500"),
// seconds ("75s", "75.5s"), or minutes and seconds ("1:15", "1:15.5",
// "1:01:15"), to the millisecond.
std::optional<std::uint32_t> parseShowTime(const std::string& text);
