// The show's embedded media: one song and 36 pictures, each a complete file
// compiled into the executable. Picture N (1 to 36) is entry N - 1 of
// pictureTable and becomes texture N - 1; the drawing code names pictures
// by these numbers.
#pragma once

#include <cstddef>

// How a picture's pixels are stored in its PNG.
enum class PixelFormat {
    Rgb,         // no alpha channel: the show treats it as opaque
    Rgba,        // has transparent areas around what it shows
    RgbaOpaque,  // alpha channel present but 255 on every pixel
};

struct PictureInfo {
    const char* name;  // also the file name under assets/media, with ".png"
    int width;
    int height;
    PixelFormat format;
};

// One embedded file, byte for byte.
struct MediaBlock {
    const unsigned char* data;
    std::size_t size;
};

constexpr int pictureCount = 36;

extern const PictureInfo pictureTable[pictureCount];

// The song (an MP3 stream).
MediaBlock musicBlock();

// Picture number 1 to 36, in table order.
MediaBlock pictureBlock(int number);
