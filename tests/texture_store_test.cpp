// Pictures into textures: power-of-two sides and nearest-neighbour
// stretching, in the texels' own memory or by way of a spare copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "assets/texture_store.h"

namespace {

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

}  // namespace

TEST(PowerOfTwo, IsTheSmallestSideNotBelowThePicture)
{
    const std::pair<int, int> cases[] = {{1, 1}, {13, 16}, {16, 16}, {271, 512}, {768, 1024}, {1024, 1024}};
    for (const auto& [side, expected] : cases) {
        EXPECT_EQ(powerOfTwoAtLeast(side), expected) << side;
    }
}

TEST(NearestStretch, TakesEveryTexelFromTheSourcePixelItFallsOn)
{
    // A full-screen picture repeats every third row; a narrow line spreads
    // over its texture; a power-of-two picture is copied pixel for pixel.
    const struct {
        int w, h, pw, ph;
    } cases[] = {{1024, 768, 1024, 1024}, {194, 13, 256, 16}, {16, 16, 16, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        const std::vector<std::uint32_t> texture = stretch(c.w, c.h, c.pw, c.ph);
        for (std::uint32_t j = 0; j < static_cast<std::uint32_t>(c.ph); ++j) {
            for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(c.pw); ++i) {
                const std::uint32_t texel = texture[j * c.pw + i];
                ASSERT_EQ(sourceColumn(texel), i * c.w / c.pw) << i << ", " << j;
                ASSERT_EQ(sourceRow(texel), j * c.h / c.ph) << i << ", " << j;
            }
        }
    }
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
