// Drawing a picture only where it shows, box by box, for any flat placement.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "assets/coverage.h"
#include "assets/loader.h"
#include "gl_window.h"
#include "overlay/primitives.h"
#include "overlay/shown_parts.h"

namespace {

// 100 x 60 (a texture of 128 x 64): transparent but for an opaque 30 x 20
// block and a half-transparent stripe along the right edge.
constexpr int pictureWidth = 100;
constexpr int pictureHeight = 60;

std::uint32_t alphaAt(int x, int y)
{
    if (x >= 40 && x < 70 && y >= 20 && y < 40) {
        return 255;
    }
    return x >= 97 ? 128 : 0;
}

std::vector<std::uint32_t> stripedPicture()
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < pictureHeight; ++y) {
        for (int x = 0; x < pictureWidth; ++x) {
            pixels.push_back(alphaAt(x, y) << 24 | 0x808080);
        }
    }
    return pixels;
}

// The quad turned by degrees and scaled, its (s, t) = (0, 0) corner at x, y.
WindowMap placed(double x, double y, double width, double height, double degrees)
{
    const double turn = degrees * 3.141592653589793 / 180;
    return {x, y, width * std::cos(turn), width * std::sin(turn), -height * std::sin(turn), height * std::cos(turn)};
}

}  // namespace

TEST(ShownParts, HoldEveryVisiblePixelOnceAndAreOpaqueOnlyOverOpaqueTexels)
{
    const std::vector<std::uint32_t> pixels = stripedPicture();
    const Coverage coverage(pixels.data(), pictureWidth, pictureHeight, pictureWidth, 128, 64);
    const WindowMap maps[] = {
        placed(300, 200, 100, 60, 0),       placed(300.5, 200.5, 100, 60, 0),  placed(17.3, 611.8, 237, 142, 0),
        placed(400, 300, 41, 25, 0),        placed(512, 384, 300, 180, 15),     placed(600, 100, -250, 150, 0),
        placed(700, 400, 120, -72, 90),     placed(-50, -30, 1100, 700, 33),
    };
    const WindowBox clip{0, 0, screenWidth, screenHeight};
    for (const WindowMap& map : maps) {
        SCOPED_TRACE(testing::Message() << map.originX << ", " << map.originY << " along " << map.alongSX);
        const std::vector<ShownPart> parts = shownParts(map, coverage, clip);
        const double area = map.alongSX * map.alongTY - map.alongTX * map.alongSY;
        for (int y = 0; y < screenHeight; ++y) {
            for (int x = 0; x < screenWidth; ++x) {
                int holders = 0;
                const ShownPart* holder = nullptr;
                for (const ShownPart& part : parts) {
                    const WindowBox& b = part.box;
                    if (x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height) {
                        ++holders;
                        holder = &part;
                    }
                }
                ASSERT_LE(holders, 1) << x << ", " << y;
                const double dx = x + 0.5 - map.originX;
                const double dy = y + 0.5 - map.originY;
                const double s = (map.alongTY * dx - map.alongTX * dy) / area;
                const double t = (map.alongSX * dy - map.alongSY * dx) / area;
                if (s < 0 || s >= 1 || t < 0 || t >= 1) {
                    continue;
                }
                const int column = static_cast<int>(s * 128) * pictureWidth / 128;
                const int row = static_cast<int>(t * 64) * pictureHeight / 64;
                const std::uint32_t alpha = alphaAt(column, row);
                if (alpha != 0) {
                    ASSERT_EQ(holders, 1) << "visible pixel left out at " << x << ", " << y;
                }
                if (holder != nullptr && holder->cover == Cover::Opaque) {
                    ASSERT_EQ(alpha, 255u) << "unblended over a see-through texel at " << x << ", " << y;
                }
            }
        }
    }
    EXPECT_TRUE(shownParts(placed(10, 10, 0, 60, 0), coverage, clip).empty()) << "a quad of no width";
}

TEST(ShownParts, TheShowsPicturesComeOutExactlyAsTheWholeQuadBlended)
{
    struct Placing {
        const ImageRef& picture;
        float x, y, w, h, degrees, alpha;
    };
    const Placing placings[] = {
        {greetingsPage1, screenCentreX, screenCentreY, screenWidth, screenHeight, 0, 1},
        {titleSheet, screenCentreX, screenCentreY, screenWidth, screenHeight, 0, 0.37f},
        {emblem, 431.7f, 300.2f, 683.6f, 671.3f, 0, 1}, {santaDrawing, 256, 512, 396, 549, 15, 1},
        {heart, 600.5f, 200, -228, 244, 0, 1},         {loadCommandLine, 901.3f, 348, 1940, 130, 0, 1},
        {singerMouthOpen, 512, 384, 1228.8f, 921.6f, 33, 0.8f},
    };
    for (const Placing& p : placings) {
        SCOPED_TRACE(p.picture.textureIndex);
        // The same texture with a coverage that knows nothing: drawn whole.
        textureStore.textures.push_back(textureStore.textures[static_cast<std::size_t>(p.picture.textureIndex)]);
        textureStore.coverage.emplace_back();
        const ImageRef whole{p.picture.width, p.picture.height, static_cast<std::int32_t>(textureStore.textures.size()) - 1};
        const auto draw = [&](bool boxByBox) {
            // Something to blend over: an opaque credits card.
            glColor3f(1, 1, 1);
            drawPicture(creditMusic, 512, 384);
            glPushMatrix();
            glTranslatef(p.x, p.y, 0);
            glRotatef(p.degrees, 0, 0, 1);
            glColor4f(1, 1, 1, p.alpha);
            drawTexturedQuad(boxByBox ? p.picture : whole, 0, 0, p.w, p.h);
            glPopMatrix();
        };
        const auto boxes = drawAlone([&] { draw(true); });
        EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
        EXPECT_EQ(differingRows(boxes, drawAlone([&] { draw(false); })), noRows);
    }
}
