// The embedded pictures, held to the table the drawing code relies on: each
// is a complete 8-bit, non-interlaced PNG of its exact size and colour type,
// opaque where the show needs it opaque and transparent where it draws over
// other things.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/big_endian.h"
#include "assets/media_list.h"
#include "assets/media_table.h"

namespace {

constexpr int pngColourTypeRgb = 2;
constexpr int pngColourTypeRgba = 6;
constexpr std::size_t pictureBudgetBytes = 3 * 1024 * 1024;

struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bitDepth = 0;
    int colourType = 0;
    int interlace = 0;
};

// Reads the IHDR chunk; fails the calling test on anything that is not the
// start of a PNG.
PngHeader readHeader(const MediaBlock& block)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    constexpr std::size_t headerEnd = 8 + 8 + 13;
    PngHeader header;
    if (block.size < headerEnd || std::memcmp(block.data, signature, sizeof signature) != 0 ||
        bigEndian32(block.data + 8) != 13 || std::memcmp(block.data + 12, "IHDR", 4) != 0) {
        ADD_FAILURE() << "not a PNG file starting with its IHDR chunk";
        return header;
    }
    const unsigned char* ihdr = block.data + 16;
    header.width = bigEndian32(ihdr);
    header.height = bigEndian32(ihdr + 4);
    header.bitDepth = ihdr[8];
    header.colourType = ihdr[9];
    header.interlace = ihdr[12];
    return header;
}

bool endsWithIend(const MediaBlock& block)
{
    static const unsigned char iend[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xae, 0x42, 0x60, 0x82};
    return block.size >= sizeof iend &&
           std::memcmp(block.data + block.size - sizeof iend, iend, sizeof iend) == 0;
}

// A decoded picture as 0xAARRGGBB values, decoded by SDL_image as the show
// decodes it.
struct Picture {
    int width = 0;
    int height = 0;
    bool hasAlphaChannel = false;
    std::vector<std::uint32_t> argb;

    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
};

Picture decode(const MediaBlock& block)
{
    Picture picture;
    SDL_Surface* surface = IMG_Load_RW(SDL_RWFromConstMem(block.data, static_cast<int>(block.size)), 1);
    if (surface == nullptr) {
        ADD_FAILURE() << "does not decode: " << IMG_GetError();
        return picture;
    }
    picture.width = surface->w;
    picture.height = surface->h;
    picture.hasAlphaChannel = surface->format->Amask != 0;
    picture.argb.reserve(static_cast<std::size_t>(surface->w) * surface->h);
    SDL_LockSurface(surface);
    const int bytesPerPixel = surface->format->BytesPerPixel;
    for (int y = 0; y < surface->h; ++y) {
        const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            Uint32 value = 0;
            std::memcpy(&value, row + x * bytesPerPixel, bytesPerPixel);
            Uint8 r, g, b, a;
            SDL_GetRGBA(value, surface->format, &r, &g, &b, &a);
            picture.argb.push_back((std::uint32_t{a} << 24) | (std::uint32_t{r} << 16) |
                                   (std::uint32_t{g} << 8) | b);
        }
    }
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return picture;
}

int pictureNumber(const char* name)
{
    for (int n = 1; n <= pictureCount; ++n) {
        if (std::strcmp(pictureTable[n - 1].name, name) == 0) {
            return n;
        }
    }
    ADD_FAILURE() << "no picture named " << name;
    return 1;
}

struct Box {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// The smallest rectangle holding every pixel in which two pictures differ.
Box differingArea(const Picture& a, const Picture& b)
{
    Box box{a.width, a.height, -1, -1};
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (a.at(x, y) != b.at(x, y)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
        }
    }
    return box;
}

Picture decodeNamed(const char* name)
{
    return decode(pictureBlock(pictureNumber(name)));
}

}  // namespace

TEST(Pictures, EachIsACompleteEightBitPngOfItsTableSizeAndColourType)
{
    for (int n = 1; n <= pictureCount; ++n) {
        const PictureInfo& info = pictureTable[n - 1];
        SCOPED_TRACE(std::string("picture ") + std::to_string(n) + " " + info.name);
        const MediaBlock block = pictureBlock(n);
        const PngHeader header = readHeader(block);
        EXPECT_EQ(header.width, static_cast<std::uint32_t>(info.width));
        EXPECT_EQ(header.height, static_cast<std::uint32_t>(info.height));
        EXPECT_EQ(header.bitDepth, 8);
        EXPECT_EQ(header.interlace, 0);
        EXPECT_EQ(header.colourType,
                  info.format == PixelFormat::Rgb ? pngColourTypeRgb : pngColourTypeRgba);
        EXPECT_TRUE(endsWithIend(block)) << "the block must end with the IEND chunk";
    }
}

TEST(Pictures, DecodeOpaqueOrTransparentAsTheTableSays)
{
    for (int n = 1; n <= pictureCount; ++n) {
        const PictureInfo& info = pictureTable[n - 1];
        SCOPED_TRACE(std::string("picture ") + std::to_string(n) + " " + info.name);
        const Picture picture = decode(pictureBlock(n));
        ASSERT_EQ(picture.width, info.width);
        ASSERT_EQ(picture.height, info.height);
        const auto [lowest, highest] = std::minmax_element(
            picture.argb.begin(), picture.argb.end(),
            [](std::uint32_t a, std::uint32_t b) { return (a >> 24) < (b >> 24); });
        const std::uint32_t minAlpha = *lowest >> 24;
        const std::uint32_t maxAlpha = *highest >> 24;
        switch (info.format) {
        case PixelFormat::Rgb:
            EXPECT_FALSE(picture.hasAlphaChannel);
            break;
        case PixelFormat::RgbaOpaque:
            EXPECT_TRUE(picture.hasAlphaChannel);
            EXPECT_EQ(minAlpha, 255u) << "every pixel must be opaque";
            break;
        case PixelFormat::Rgba:
            EXPECT_TRUE(picture.hasAlphaChannel);
            EXPECT_EQ(minAlpha, 0u) << "needs fully transparent areas";
            EXPECT_EQ(maxAlpha, 255u) << "needs something fully drawn";
            break;
        }
    }
}

TEST(Pictures, MouthFramesDifferOnlyAroundTheMouth)
{
    const Box box = differingArea(decodeNamed("singerMouthOpen"), decodeNamed("singerMouthClosed"));
    ASSERT_GE(box.right, box.left) << "the two mouth frames are identical";
    EXPECT_LE(box.width(), 58);
    EXPECT_LE(box.height(), 110);
}

TEST(Pictures, TextScreensDifferOnlyInTheCursorCell)
{
    constexpr int cell = 8;
    const Box box = differingArea(decodeNamed("basicScreenCursor"), decodeNamed("basicScreen"));
    ASSERT_GE(box.right, box.left) << "the cursor never shows";
    EXPECT_LE(box.width(), cell);
    EXPECT_LE(box.height(), cell);
}

TEST(Pictures, TogetherStayWithinTheirBudget)
{
    std::size_t total = 0;
    for (int n = 1; n <= pictureCount; ++n) {
        total += pictureBlock(n).size;
    }
    EXPECT_LT(total, pictureBudgetBytes);
}

// Every embedded block is its file under the media folder, byte for byte.
TEST(EmbeddedMedia, EachBlockIsItsFileExactly)
{
    const auto fileBytes = [](const std::string& name) {
        const std::string path = std::string(SLEIGHRIDE_MEDIA_DIR) + "/" + name;
        std::vector<unsigned char> bytes;
        if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
            int c;
            while ((c = std::fgetc(file)) != EOF) {
                bytes.push_back(static_cast<unsigned char>(c));
            }
            std::fclose(file);
        }
        return bytes;
    };
    const auto blockBytes = [](MediaBlock block) {
        return std::vector<unsigned char>(block.data, block.data + block.size);
    };
    EXPECT_EQ(blockBytes(musicBlock()), fileBytes(SLEIGHRIDE_SONG_FILE));
    for (int n = 1; n <= pictureCount; ++n) {
        const std::string name = std::string(pictureTable[n - 1].name) + ".png";
        const auto file = fileBytes(name);
        ASSERT_FALSE(file.empty()) << name;
        EXPECT_TRUE(blockBytes(pictureBlock(n)) == file) << name;
    }
}
