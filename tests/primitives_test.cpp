// The rectangles everything flat is drawn with, in a real context, and
// where the show's picture goes in a window of any size.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "assets/texture_store.h"
#include "gl_window.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new GlWindow);

using Rgb = std::array<std::uint8_t, 3>;
constexpr Rgb black{0, 0, 0};
constexpr Rgb red{255, 0, 0};
constexpr Rgb green{0, 255, 0};
constexpr Rgb blue{0, 0, 255};
constexpr Rgb white{255, 255, 255};

// A 16 x 16 picture: red top-left quarter, green top-right, blue bottom half.
ImageRef quarteredPicture()
{
    // Texels as GL_RGBA bytes read on a little-endian machine.
    constexpr std::uint32_t opaqueRed = 0xff0000ff, opaqueGreen = 0xff00ff00, opaqueBlue = 0xffff0000;
    constexpr int side = 16;
    TexturePixels pixels;
    std::vector<std::uint32_t> spare;
    std::uint32_t* rows = pictureRows(side, side, pixels, spare);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            rows[y * side + x] = y >= side / 2 ? opaqueBlue : x < side / 2 ? opaqueRed : opaqueGreen;
        }
    }
    stretchPicture(rows, pixels);
    GLuint name = 0;
    glGenTextures(1, &name);
    uploadTexture(name, pixels);
    textureStore.textures.push_back(name);
    textureStore.coverage.push_back(std::move(pixels.coverage));
    return {side, side, static_cast<std::int32_t>(textureStore.textures.size()) - 1};
}

std::array<GLfloat, 16> modelview()
{
    std::array<GLfloat, 16> m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

class Rectangles : public ::testing::Test {
protected:
    void SetUp() override
    {
        useShowProjection();
        glClear(GL_COLOR_BUFFER_BIT);
    }
};

}  // namespace

TEST_F(Rectangles, CoverTheirRectangleWithThePictureUprightMirroredByANegativeWidthOrFlat)
{
    const ImageRef picture = quarteredPicture();
    const struct {
        bool textured;
        float width, height;
        int x, y;
        Rgb colour;
    } cases[] = {
        // At the centre, 256 x 256 covers 384..639 by 256..511.
        {true, 256, 256, 384, 256, red},    {true, 256, 256, 639, 256, green},  {true, 256, 256, 384, 511, blue},
        {true, 256, 256, 639, 511, blue},   {true, 256, 256, 383, 300, black},  {true, 256, 256, 640, 300, black},
        {true, 256, 256, 500, 255, black},  {true, 256, 256, 500, 512, black},  {true, -256, 256, 384, 256, green},
        {true, -256, 256, 639, 256, red},   {false, 256, 256, 384, 256, white}, {false, screenWidth, screenHeight, 0, 0, white},
        {false, screenWidth, screenHeight, screenWidth - 1, screenHeight - 1, white},
    };
    for (const auto& c : cases) {
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        // A plain quad drawn after a picture is flat colour.
        drawTexturedQuad(picture, 512, 384, c.textured ? c.width : 256, 256);
        if (!c.textured) {
            drawQuad(512, 384, c.width, c.height);
        }
        EXPECT_EQ(pixelAt(c.x, c.y), c.colour) << c.width << " x " << c.height << " at " << c.x << ", " << c.y;
    }
}

TEST_F(Rectangles, LeaveTheModelviewAndBindingAsTheNextDrawerExpects)
{
    const ImageRef picture = quarteredPicture();
    glTranslatef(10, 20, 0);
    glRotatef(30, 0, 0, 1);
    const auto before = modelview();
    const GLint depth = integerState(GL_MODELVIEW_STACK_DEPTH);
    drawTexturedQuad(picture, 100, 100, 50, 50);
    EXPECT_EQ(modelview(), before);
    EXPECT_EQ(integerState(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_EQ(integerState(GL_TEXTURE_BINDING_2D), 0);
    drawQuad(100, 100, 50, 50);
    EXPECT_EQ(modelview(), before);
    EXPECT_EQ(integerState(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShowViewport, FitsTheFourByThreePictureCentredInAnyWindow)
{
    const struct {
        int windowWidth, windowHeight;
        ShowViewport expected;
    } cases[] = {
        {1024, 768, {0, 0, 1024, 768}},    {1920, 1080, {240, 0, 1440, 1080}},
        {800, 600, {0, 0, 800, 600}},      {1280, 1024, {0, 32, 1280, 960}},
        {1366, 768, {171, 0, 1024, 768}},  {640, 360, {80, 0, 480, 360}},
    };
    for (const auto& c : cases) {
        const ShowViewport got = showViewportIn(c.windowWidth, c.windowHeight);
        EXPECT_TRUE(got.x == c.expected.x && got.y == c.expected.y && got.width == c.expected.width &&
                    got.height == c.expected.height)
            << c.windowWidth << " x " << c.windowHeight << ": " << got.x << ", " << got.y << ", " << got.width
            << " x " << got.height;
    }
}

TEST(ShowWindow, IsTheShowsOwnSizeWhereItFitsElseTheLargestFourByThreeThatDoes)
{
    const struct {
        int displayWidth, displayHeight, width, height;
    } cases[] = {
        {1024, 768, 1024, 768}, {1920, 1080, 1024, 768}, {0, 0, 1024, 768},  // unknown
        {800, 600, 800, 600},   {1280, 720, 960, 720},   {1023, 768, 1023, 767},
    };
    for (const auto& c : cases) {
        const WindowSize got = showWindowOn(c.displayWidth, c.displayHeight);
        EXPECT_TRUE(got.width == c.width && got.height == c.height)
            << c.displayWidth << " x " << c.displayHeight << ": " << got.width << " x " << got.height;
    }
}
