// Pictures into textures: power-of-two sides, nearest-neighbour stretching
// that keeps every channel exactly, and the store's append-only indices.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "assets/texture_store.h"
#include "gl_window.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new GlWindow);

// Every pixel of a w x h source tells where it came from.
std::vector<std::uint32_t> numberedPixels(int w, int h)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            pixels[static_cast<std::size_t>(y) * w + x] = static_cast<std::uint32_t>(y * 10000 + x);
        }
    }
    return pixels;
}

std::uint32_t sourceRow(std::uint32_t pixel) { return pixel / 10000; }
std::uint32_t sourceColumn(std::uint32_t pixel) { return pixel % 10000; }

std::vector<std::uint32_t> stretch(int w, int h, int pw, int ph)
{
    const std::vector<std::uint32_t> src = numberedPixels(w, h);
    std::vector<std::uint32_t> dst(static_cast<std::size_t>(pw) * ph);
    resampleNearest(src.data(), w, h, w, dst.data(), pw, ph, pw);
    return dst;
}

// A store of the test's own, released with it (the show's lives for the
// whole run).
struct OwnStore : TextureStore {
    OwnStore() = default;
    OwnStore(const OwnStore&) = delete;
    OwnStore& operator=(const OwnStore&) = delete;
    ~OwnStore()
    {
        glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
    }
};

SDL_Surface* surfaceOf(int w, int h, int bits, Uint32 r, Uint32 g, Uint32 b, Uint32 a)
{
    return SDL_CreateRGBSurface(0, w, h, bits, r, g, b, a);
}

// The bound texture's level 0 as R, G, B, A bytes.
std::vector<std::uint8_t> boundTexturePixels(int w, int h)
{
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

}  // namespace

TEST(PowerOfTwo, IsTheSmallestSideNotBelowThePicture)
{
    EXPECT_EQ(powerOfTwoAtLeast(1), 1);
    EXPECT_EQ(powerOfTwoAtLeast(13), 16);
    EXPECT_EQ(powerOfTwoAtLeast(16), 16);
    EXPECT_EQ(powerOfTwoAtLeast(271), 512);
    EXPECT_EQ(powerOfTwoAtLeast(635), 1024);
    EXPECT_EQ(powerOfTwoAtLeast(768), 1024);
    EXPECT_EQ(powerOfTwoAtLeast(1024), 1024);
}

TEST(NearestStretch, RepeatsEveryThirdRowOfAFullScreenPicture)
{
    const std::vector<std::uint32_t> texture = stretch(1024, 768, 1024, 1024);
    const std::uint32_t expectedRows[] = {0, 0, 1, 2, 3, 3, 4, 5};
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(sourceRow(texture[static_cast<std::size_t>(j) * 1024]), expectedRows[j]) << "row " << j;
    }
    EXPECT_EQ(sourceRow(texture[1023u * 1024]), 767u);
    for (std::uint32_t i : {0u, 1u, 511u, 1023u}) {
        EXPECT_EQ(sourceColumn(texture[i]), i) << "columns map one to one";
    }
}

TEST(NearestStretch, SpreadsANarrowLineOverItsTexture)
{
    const std::vector<std::uint32_t> texture = stretch(194, 13, 256, 16);
    for (std::uint32_t i : {0u, 1u, 2u, 100u, 255u}) {
        EXPECT_EQ(sourceColumn(texture[i]), (194 * i) / 256) << "column " << i;
    }
    for (std::uint32_t j : {0u, 1u, 7u, 15u}) {
        EXPECT_EQ(sourceRow(texture[j * 256]), (13 * j) / 16) << "row " << j;
    }
}

TEST(NearestStretch, CopiesPowerOfTwoPicturesPixelForPixel)
{
    EXPECT_EQ(stretch(16, 16, 16, 16), numberedPixels(16, 16));
}

TEST(NearestStretch, InPlaceForPicturesAsWideAsTheirTextureAsInTheCopy)
{
    // 16 wide is stretched in the texels' own memory, 12 wide by way of a
    // spare copy; both must come out as the plain stretch.
    for (const int width : {16, 12}) {
        SCOPED_TRACE(width);
        const std::vector<std::uint32_t> picture = numberedPixels(width, 5);
        TexturePixels pixels;
        std::vector<std::uint32_t> spare;
        std::uint32_t* rows = pictureRows(width, 5, pixels, spare);
        std::copy(picture.begin(), picture.end(), rows);
        stretchPicture(rows, pixels);
        EXPECT_EQ(pixels.texels, stretch(width, 5, 16, 8));
    }
}

TEST(SurfaceToTexture, MakesAnOpaqueTextureOfAnRgbPictureAndAppendsIt)
{
    OwnStore store;
    SDL_Surface* rgb = surfaceOf(16, 16, 24, 0x0000ff, 0x00ff00, 0xff0000, 0);
    SDL_FillRect(rgb, nullptr, SDL_MapRGB(rgb->format, 10, 20, 30));
    const ImageRef first = surfaceToTexture(rgb, store);
    EXPECT_EQ(first.width, 16);
    EXPECT_EQ(first.height, 16);
    EXPECT_EQ(first.textureIndex, 0);
    EXPECT_EQ(integerState(GL_TEXTURE_BINDING_2D), static_cast<GLint>(store.textures[0]));
    EXPECT_EQ(integerState(GL_UNPACK_ALIGNMENT), 1);
    const std::vector<std::uint8_t> texels = boundTexturePixels(16, 16);
    for (std::size_t i = 0; i < texels.size(); i += 4) {
        ASSERT_EQ(texels[i], 10);
        ASSERT_EQ(texels[i + 1], 20);
        ASSERT_EQ(texels[i + 2], 30);
        ASSERT_EQ(texels[i + 3], 255) << "a picture without alpha must come out opaque";
    }

    const ImageRef second = surfaceToTexture(surfaceOf(1024, 768, 32, 0xff, 0xff00, 0xff0000, 0xff000000), store);
    EXPECT_EQ(second.width, 1024);
    EXPECT_EQ(second.height, 768);
    EXPECT_EQ(second.textureIndex, 1);
    EXPECT_EQ(store.textures.size(), 2u);
    EXPECT_EQ(store.coverage.size(), 2u);
    GLint side[2];
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &side[0]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &side[1]);
    EXPECT_EQ(side[0], 1024);
    EXPECT_EQ(side[1], 1024);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(SurfaceToTexture, KeepsPartialAlphaExactlyEvenWhenTheSurfaceBlends)
{
    OwnStore store;
    SDL_Surface* rgba = surfaceOf(2, 2, 32, 0xff, 0xff00, 0xff0000, 0xff000000);
    SDL_SetAlpha(rgba, SDL_SRCALPHA, 255);
    SDL_FillRect(rgba, nullptr, SDL_MapRGBA(rgba->format, 200, 100, 50, 77));
    surfaceToTexture(rgba, store);
    const std::vector<std::uint8_t> texels = boundTexturePixels(2, 2);
    EXPECT_EQ(texels[0], 200);
    EXPECT_EQ(texels[1], 100);
    EXPECT_EQ(texels[2], 50);
    EXPECT_EQ(texels[3], 77) << "nothing may be blended or premultiplied";
}
