#include "assets/coverage.h"

namespace {

constexpr int blockSide = 8;
constexpr std::uint8_t shows = 1;
constexpr std::uint8_t opaque = 2;
constexpr std::uint32_t alphaShift = 24;
constexpr std::uint32_t fullAlpha = 255;

int blocksFor(int pixels)
{
    return (pixels + blockSide - 1) / blockSide;
}

// The remainder that is never negative, as the texture repeats.
int wrapped(int index, int side)
{
    const int r = index % side;
    return r < 0 ? r + side : r;
}

struct BlockSpan {
    int first;
    int last;
};

// The texels first..last of one axis (wrapping round the texture) as at most
// two spans of the picture's blocks; returns how many.
int blockSpans(int first, int last, int textureSide, int pictureSide, BlockSpan (&spans)[2])
{
    // Texel i shows picture pixel i * pictureSide / textureSide, rising with i.
    const auto block = [&](int texel) {
        return static_cast<int>(static_cast<long>(texel) * pictureSide / textureSide) / blockSide;
    };
    if (last - first + 1 >= textureSide) {
        spans[0] = {0, block(textureSide - 1)};
        return 1;
    }
    const int from = wrapped(first, textureSide);
    const int to = wrapped(last, textureSide);
    if (from <= to) {
        spans[0] = {block(from), block(to)};
        return 1;
    }
    spans[0] = {block(from), block(textureSide - 1)};
    spans[1] = {0, block(to)};
    return 2;
}

}  // namespace

Coverage::Coverage(const std::uint32_t* pixels, int width, int height, int pitch, int textureWidth,
                   int textureHeight)
    : width_(width),
      height_(height),
      textureWidth_(textureWidth),
      textureHeight_(textureHeight),
      blockColumns_(blocksFor(width)),
      blocks_(static_cast<std::size_t>(blocksFor(width)) * static_cast<std::size_t>(blocksFor(height)),
              shows | opaque)
{
    // Every block starts out opaque and showing; a transparent pixel clears
    // "opaque", and a block without any visible pixel clears "shows".
    std::vector<std::uint8_t> anyVisible(blocks_.size(), 0);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<long>(y) * pitch;
        const std::size_t blockRow = static_cast<std::size_t>(y / blockSide) * static_cast<std::size_t>(blockColumns_);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t alpha = row[x] >> alphaShift;
            const std::size_t block = blockRow + static_cast<std::size_t>(x / blockSide);
            if (alpha != fullAlpha) {
                blocks_[block] &= static_cast<std::uint8_t>(~opaque);
            }
            if (alpha != 0) {
                anyVisible[block] = 1;
            }
        }
    }
    for (std::size_t block = 0; block < blocks_.size(); ++block) {
        if (anyVisible[block] == 0) {
            blocks_[block] = 0;
        }
    }
}

Cover Coverage::ofTexels(int firstColumn, int lastColumn, int firstRow, int lastRow) const
{
    if (blocks_.empty()) {
        return Cover::Partial;
    }
    BlockSpan columns[2];
    BlockSpan rows[2];
    const int columnSpans = blockSpans(firstColumn, lastColumn, textureWidth_, width_, columns);
    const int rowSpans = blockSpans(firstRow, lastRow, textureHeight_, height_, rows);
    std::uint8_t any = 0;
    std::uint8_t all = shows | opaque;
    for (int r = 0; r < rowSpans; ++r) {
        for (int by = rows[r].first; by <= rows[r].last; ++by) {
            const std::uint8_t* line = blocks_.data() + static_cast<std::size_t>(by) * blockColumns_;
            for (int c = 0; c < columnSpans; ++c) {
                for (int bx = columns[c].first; bx <= columns[c].last; ++bx) {
                    any |= line[bx];
                    all &= line[bx];
                }
            }
        }
    }
    if ((any & shows) == 0) {
        return Cover::None;
    }
    return (all & opaque) != 0 ? Cover::Opaque : Cover::Partial;
}
