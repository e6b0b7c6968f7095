// Start-up loading and the splash, in a program of their own so the texture
// store starts empty: every picture becomes the texture its number says.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "app/splash.h"
#include "assets/loader.h"
#include "assets/media_table.h"
#include "gl_window.h"
#include "overlay/primitives.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new GlWindow);

#define SLEIGHRIDE_IMAGE_ADDRESS(name, width, height, format) &name,
const ImageRef* const records[pictureCount] = {SLEIGHRIDE_PICTURES(SLEIGHRIDE_IMAGE_ADDRESS)};
#undef SLEIGHRIDE_IMAGE_ADDRESS

void pushEvent(Uint8 type)
{
    SDL_Event event{};
    event.type = type;
    if (type == SDL_KEYDOWN) {
        event.key.keysym.sym = SDLK_SPACE;
    }
    SDL_PushEvent(&event);
}

// The store starts empty in this program, whichever test loads first.
void loadPicturesOnce()
{
    if (textureStore.textures.empty()) {
        loadPictures();
    }
}

}  // namespace

TEST(Loading, GivesEveryPictureItsSizeAndTheTextureOfItsNumber)
{
    loadPicturesOnce();
    ASSERT_EQ(textureStore.textures.size(), static_cast<std::size_t>(pictureCount));
    for (int n = 1; n <= pictureCount; ++n) {
        SCOPED_TRACE(pictureTable[n - 1].name);
        EXPECT_EQ(records[n - 1]->width, pictureTable[n - 1].width);
        EXPECT_EQ(records[n - 1]->height, pictureTable[n - 1].height);
        EXPECT_EQ(records[n - 1]->textureIndex, n - 1);
    }
    EXPECT_EQ(splashIcon.textureIndex, 13);
    EXPECT_EQ(loadCommandLine.textureIndex, 28);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The splash: a key press ends it after one frame and starts the show;
    // a click before it is swallowed, not left for the show. A quit request
    // ends it at once, and the show with it.
    setOrtho2D(1024);
    pushEvent(SDL_MOUSEBUTTONDOWN);
    pushEvent(SDL_KEYDOWN);
    const Uint32 shownAt = SDL_GetTicks();
    EXPECT_TRUE(showSplash());
    EXPECT_LT(SDL_GetTicks() - shownAt, 1000u) << "a key must end the splash at once";
    SDL_Event left;
    SDL_PumpEvents();
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_MOUSEBUTTONDOWNMASK), 0);
    pushEvent(SDL_QUIT);
    pushEvent(SDL_KEYDOWN);
    EXPECT_FALSE(showSplash());
}

TEST(Splash, ShowsTheFaceSixteenTimesItsSizeInSharpBlocksMidScreen)
{
    loadPicturesOnce();
    setOrtho2D(1024);
    drawSplashFrame();
    const auto screen = readScreen();
    const MediaBlock block = pictureBlock(14);
    SDL_Surface* face = IMG_Load_RW(SDL_RWFromConstMem(block.data, static_cast<int>(block.size)), 1);
    ASSERT_NE(face, nullptr);
    SDL_Surface* rgb = SDL_CreateRGBSurface(0, 16, 16, 32, 0xff, 0xff00, 0xff0000, 0);
    SDL_BlitSurface(face, nullptr, rgb, nullptr);
    const auto* facePixels = static_cast<const Uint32*>(rgb->pixels);

    // The splash projection spans 0..1023 units over 1024 pixels: a pixel
    // centre at p lies at unit (p + 0.5) * 1023 / 1024.
    const auto unitOf = [](int pixel, double span) { return (pixel + 0.5) * (span - 1) / span; };
    constexpr double left = 384, top = 256, block16 = 16;
    for (int y = 250; y < 518; ++y) {
        for (int x = 378; x < 646; ++x) {
            const double u = unitOf(x, 1024), v = unitOf(y, 768);
            const double col = (u - left) / block16, row = (v - top) / block16;
            const auto seen = pixelIn(screen, x, y);
            if (col < 0 || row < 0 || col >= 16 || row >= 16) {
                ASSERT_EQ(seen, (std::array<std::uint8_t, 3>{0, 0, 0})) << x << ", " << y;
                continue;
            }
            // Nearest filtering: every pixel of a block is its source pixel.
            const Uint32 source = facePixels[static_cast<int>(row) * 16 + static_cast<int>(col)];
            const std::array<std::uint8_t, 3> expected{static_cast<std::uint8_t>(source & 0xff),
                                                       static_cast<std::uint8_t>(source >> 8 & 0xff),
                                                       static_cast<std::uint8_t>(source >> 16 & 0xff)};
            ASSERT_EQ(seen, expected) << x << ", " << y;
        }
    }
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(face);
}

TEST(LoadingDeathTest, APictureThatDoesNotDecodeEndsTheProgramNamingIt)
{
    const MediaBlock good = pictureBlock(12);
    const std::vector<unsigned char> cutShort(good.data, good.data + good.size / 2);
    EXPECT_EXIT(decodePicture(12, MediaBlock{cutShort.data(), cutShort.size()}), ::testing::ExitedWithCode(1),
                "cannot decode picture 12 \\(heart\\): ");
}
