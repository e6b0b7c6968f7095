// The embedded pictures, held to the table the drawing code relies on, and
// every block to its file.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/media_list.h"
#include "assets/media_table.h"

namespace {

constexpr std::size_t pictureBudgetBytes = 3 * 1024 * 1024;

// A picture decoded by SDL_image, apart from the show's own decoder, as
// 0xAARRGGBB values.
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

TEST(Pictures, EachDecodesToItsTableSizeOpaqueOrTransparentAsTheTableSays)
{
    std::size_t total = 0;
    for (int n = 1; n <= pictureCount; ++n) {
        const PictureInfo& info = pictureTable[n - 1];
        SCOPED_TRACE(std::string("picture ") + std::to_string(n) + " " + info.name);
        const MediaBlock block = pictureBlock(n);
        total += block.size;
        const Picture picture = decode(block);
        ASSERT_EQ(picture.width, info.width);
        ASSERT_EQ(picture.height, info.height);
        const auto [lowest, highest] = std::minmax_element(
            picture.argb.begin(), picture.argb.end(),
            [](std::uint32_t a, std::uint32_t b) { return (a >> 24) < (b >> 24); });
        EXPECT_EQ(picture.hasAlphaChannel, info.format != PixelFormat::Rgb);
        if (info.format == PixelFormat::RgbaOpaque) {
            EXPECT_EQ(*lowest >> 24, 255u) << "every pixel must be opaque";
        } else if (info.format == PixelFormat::Rgba) {
            EXPECT_EQ(*lowest >> 24, 0u) << "needs fully transparent areas";
            EXPECT_EQ(*highest >> 24, 255u) << "needs something fully drawn";
        }
    }
    EXPECT_LT(total, pictureBudgetBytes);
}

TEST(Pictures, FramesShownInTurnDifferOnlyWhereTheyChange)
{
    const struct {
        const char *one, *other;
        int width, height;
    } pairs[] = {{"singerMouthOpen", "singerMouthClosed", 58, 110},  // around the mouth
                 {"basicScreenCursor", "basicScreen", 8, 8}};        // the cursor's cell
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.one);
        const Box box = differingArea(decodeNamed(pair.one), decodeNamed(pair.other));
        ASSERT_GE(box.right, box.left) << "the two frames are identical";
        EXPECT_LE(box.width(), pair.width);
        EXPECT_LE(box.height(), pair.height);
    }
}

TEST(EmbeddedMedia, EachBlockIsItsFileExactly)
{
    const auto fileBytes = [](const std::string& name) {
        std::ifstream file(std::string(SLEIGHRIDE_MEDIA_DIR) + "/" + name, std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {});
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
