// The frames as the outputs store them. The show is drawn at its own
// 1024 x 768, or a whole multiple of it, and read back as BGRX rows from the
// bottom up. An output of another size gets the 4:3 picture scaled with an
// area filter, each output pixel the average of the drawn pixels it covers
// (and of the bar, for what of it lies outside the picture): pixel art
// keeps strokes of one width with soft edges, and a drawing at a multiple
// of the size is supersampled. Video gets BT.709 YCbCr in limited range,
// the matrix its file declares.
//
// The capture converts every frame it encodes, on the thread that feeds the
// encoder, so the arithmetic is fixed point and, on x86, four to eight
// samples at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/command_line.h"

enum class FrameLayout {
    Rgb24,   // red, green, blue, rows top down (PNG frames)
    Bgr0,    // blue, green, red and a zero byte, rows top down (lossless RGB video)
    Yuv420,  // planes of Y, then Cb and Cr at half the width and height, each
             // chroma sample the average of the 2 x 2 pixels it stands for
    Yuv444,  // planes of Y, Cb and Cr, all at the full size
};

// Bytes of one frame of that size and layout.
std::size_t frameBytesOf(PictureSize size, FrameLayout layout);

// BT.709 limited-range YCbCr of an 8-bit RGB colour, unrounded: what the
// converter's fixed point is held to.
struct Ycbcr {
    double y;
    double cb;
    double cr;
};
Ycbcr bt709Of(double red, double green, double blue);

// One axis of the area filter: how the picture's sourceLength pixels (at
// least 2), laid over output pixels [start, start + length) (in halves of an
// output pixel, so that chroma at half resolution can start between two of
// its samples), fall into each of outputLength output pixels. Output pixel
// i takes weights[i * taps + k] of source pixel first[i] + k and bar[i] of
// the bar, weights that sum to exactly weightOne. Taps is even, some
// weights zero where fewer pixels are covered, so that source pixels can be
// read in pairs.
struct AreaAxis {
    int taps = 0;
    std::vector<int> first;
    std::vector<std::int16_t> weights;
    std::vector<std::int16_t> bar;
    // The output pixels that take anything from the picture: [touchedFrom, touchedTo).
    int touchedFrom = 0;
    int touchedTo = 0;
};
constexpr int weightBits = 14;
constexpr std::int32_t weightOne = 1 << weightBits;
AreaAxis areaAxis(int sourceLength, int outputLength, int startHalves, int lengthHalves);

class FrameConverter {
public:
    // drawn: the read-back frame's size, a 4:3 picture of at least 2 x 2;
    // output: the size stored, with the picture fitted in the middle
    // (showViewportIn). Yuv420 needs even sides.
    FrameConverter(PictureSize drawn, PictureSize output, FrameLayout layout);

    PictureSize output() const { return output_; }
    std::size_t outputBytes() const { return frameBytesOf(output_, layout_); }

    // The read-back frame (BGRX rows bottom up) into out, outputBytes long.
    // Uses the converter's own working memory: one converter per thread.
    void convert(const std::uint8_t* readBack, std::uint8_t* out);

    // An axis as the scaling reads it: weights in pairs, the pair k of every
    // output pixel side by side, and the bar's share with the rounding added.
    // Across, on processors with byte shuffles, the output samples from
    // touchedFrom on in blocks of eight: each block's source samples read as
    // sixteen from blockBases[b] (-1: one sample at a time, for a block
    // that reaches further or past the row's end) and picked out into pairs
    // by shuffles, 64 bytes of them per pair: for each half block, the
    // shuffle of the first eight and of the next.
    struct Scaling {
        AreaAxis axis;
        int pairs;
        std::vector<std::int32_t> pairWeights;
        std::vector<std::int32_t> start;
        std::vector<int> blockBases;
        std::vector<std::uint8_t> shuffles;
    };

private:
    struct Plane {
        int width;
        int height;
        std::size_t offset;  // of its first sample in the frame
        int step;            // bytes from one sample to the next in a row
        std::int16_t barValue;
        bool acrossFirst;
        Scaling across;
        Scaling down;
    };

    void addPlane(int width, int height, std::size_t offset, int step, std::int16_t barValue, int startX,
                  int lengthX, int startY, int lengthY);
    // Picture row y (from the top) split into its three components.
    void splitRow(const std::uint8_t* pixels, int y);
    // Output row y of a plane, from the rows kept; bar if not reached.
    void makeRow(std::size_t plane, int y, bool reached, std::uint8_t* out);
    // Where picture row y is kept: split, and scaled across for a plane.
    std::int16_t* keptRow(std::size_t plane, int y);
    std::int16_t* keptAcross(std::size_t plane, int y);
    void convertUnscaled(const std::uint8_t* readBack, std::uint8_t* out);

    PictureSize drawn_;
    PictureSize output_;
    FrameLayout layout_;
    bool yuv_;
    bool unscaled_;
    bool shuffles_;
    std::vector<Plane> planes_;
    // The last keptRows_ picture rows, split into their three components (Y,
    // Cb, Cr or R, G, B) in the working fixed point, and each scaled across
    // for the planes scaled across first; the rows an output row covers;
    // one scaled down and not yet across; a row of output samples on their
    // way to an interleaved layout.
    int keptRows_ = 1;
    std::vector<std::int16_t> kept_;
    std::vector<std::int16_t> keptAcross_;
    std::vector<const std::int16_t*> rows_;
    std::vector<std::int16_t> down_;
    std::vector<std::uint8_t> row_;
};
