// What a capture is asked to do, read from its command line. Help and
// version end the program with status 0; anything that cannot be read ends
// it with one line and status 2.
#pragma once

#include <cstdint>
#include <string>

#include "app/command_line.h"
#include "app/show_layers.h"

enum class OutputKind {
    None,
    Video,     // .mp4 or .mkv
    Pictures,  // a directory: one PNG per frame
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
};

CaptureOptions readCaptureOptions(int argc, char** argv);

// What --out names: a video by its ending, a directory by a trailing slash
// or by being one.
OutputKind outputKindOf(const std::string& path);
