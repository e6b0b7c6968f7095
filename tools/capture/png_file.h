// Pictures written as 8-bit RGB PNG files, whole or not at all: each goes to
// a temporary name beside its own and takes its name only once complete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Rows of pixels in memory, from the picture's top row on: stride is the
// distance from one row to the next below it, negative for rows kept bottom
// up as OpenGL reads them.
struct PixelRows {
    const std::uint8_t* top = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
    // Blue, green, red and a byte left out, as the capture reads frames
    // back; otherwise red, green, blue.
    bool bgrx = false;
};

// How hard zlib works: the frames of a capture want speed, a picture kept
// in the repository small size.
enum class PngEffort { Fast, Small };

// False, with the reason in error, if the file cannot be written.
bool writePng(const std::string& path, const PixelRows& rows, PngEffort effort, std::string& error);
