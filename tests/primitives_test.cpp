// The rectangles everything flat is drawn with, checked in a real context:
// where they land, that pictures stand upright, and that they leave the
// modelview and the texture binding as the next drawer expects.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

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
    SDL_Surface* surface = SDL_CreateRGBSurface(0, 16, 16, 32, 0xff, 0xff00, 0xff0000, 0xff000000);
    SDL_Rect topLeft{0, 0, 8, 8}, topRight{8, 0, 8, 8}, bottom{0, 8, 16, 8};
    SDL_FillRect(surface, &topLeft, SDL_MapRGBA(surface->format, 255, 0, 0, 255));
    SDL_FillRect(surface, &topRight, SDL_MapRGBA(surface->format, 0, 255, 0, 255));
    SDL_FillRect(surface, &bottom, SDL_MapRGBA(surface->format, 0, 0, 255, 255));
    return surfaceToTexture(surface, textureStore);
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

TEST_F(Rectangles, TexturedQuadCoversItsRectangleUprightAndUnmirrored)
{
    const ImageRef picture = quarteredPicture();
    glColor3f(1, 1, 1);
    drawTexturedQuad(picture, 512, 384, 256, 256);  // covers 384..639 by 256..511
    EXPECT_EQ(pixelAt(384, 256), red);
    EXPECT_EQ(pixelAt(639, 256), green);
    EXPECT_EQ(pixelAt(384, 511), blue);
    EXPECT_EQ(pixelAt(639, 511), blue);
    EXPECT_EQ(pixelAt(383, 300), black);
    EXPECT_EQ(pixelAt(640, 300), black);
    EXPECT_EQ(pixelAt(500, 255), black);
    EXPECT_EQ(pixelAt(500, 512), black);
}

TEST_F(Rectangles, NegativeWidthMirrorsThePicture)
{
    const ImageRef picture = quarteredPicture();
    glColor3f(1, 1, 1);
    drawTexturedQuad(picture, 512, 384, -256, 256);
    EXPECT_EQ(pixelAt(384, 256), green);
    EXPECT_EQ(pixelAt(639, 256), red);
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

TEST_F(Rectangles, PlainQuadAfterAPictureIsFlatColour)
{
    const ImageRef picture = quarteredPicture();
    glColor3f(1, 1, 1);
    drawTexturedQuad(picture, 512, 384, 256, 256);
    drawQuad(512, 384, 256, 256);
    EXPECT_EQ(pixelAt(384, 256), white);
    EXPECT_EQ(pixelAt(639, 511), white);
}

TEST_F(Rectangles, FullScreenQuadCoversExactlyTheScreenInTheShowProjection)
{
    glColor3f(1, 1, 1);
    drawQuad(512, 384, 1024, 768);
    EXPECT_EQ(pixelAt(0, 0), white);
    EXPECT_EQ(pixelAt(1023, 767), white);
}

TEST(SplashProjection, SpansZeroTo1023By767WithYDown)
{
    setOrtho2D(1024);
    std::array<GLdouble, 16> projection{}, identity{};
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    // x: 0..1023 onto -1..1; y: 0..767 onto 1..-1.
    EXPECT_NEAR(projection[0], 2.0 / 1023, 1e-9);
    EXPECT_NEAR(projection[5], -2.0 / 767, 1e-9);
    EXPECT_NEAR(projection[12], -1.0, 1e-9);
    EXPECT_NEAR(projection[13], 1.0, 1e-9);
    glGetDoublev(GL_MODELVIEW_MATRIX, identity.data());
    EXPECT_EQ(identity[0], 1.0);
    EXPECT_EQ(identity[12], 0.0);
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 1024, 768}));
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
