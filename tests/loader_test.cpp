// Start-up loading and the splash, in a program of their own so the texture
// store starts empty: every picture becomes the texture its number says.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>
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

GLint integerLevelParameter(GLenum name)
{
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

// A line of /proc/self/status, in KiB: VmRSS now, VmHWM its peak.
long memoryKib(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stol(line.substr(field.size()));
        }
    }
    return 0;
}

// The store starts empty in this program, whichever test loads first.
void loadPicturesOnce()
{
    if (textureStore.textures.empty()) {
        loadPictures();
    }
}

}  // namespace

TEST(Loading, TheSplashTakesInEveryPictureAndKeepsOnlyTheRenderersCopies)
{
    // As the show starts: the splash's picture first, the others while it shows.
    const long residentBefore = memoryKib("VmRSS:");
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
    startLoadingPictures(splashIcon);
    EXPECT_EQ(splashIcon.width, 16);
    // A key press ends the splash once everything is in, and starts the
    // show; a click before it is swallowed, not left for the show.
    setOrtho2D(screenWidth);
    pushEvent(SDL_MOUSEBUTTONDOWN);
    pushEvent(SDL_KEYDOWN);
    const Uint32 shownAt = SDL_GetTicks();
    EXPECT_TRUE(showSplash([] { return false; }));
    EXPECT_LT(SDL_GetTicks() - shownAt, 4000u) << "a key must end the splash before its own time";
    SDL_Event left;
    SDL_PumpEvents();
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_MOUSEBUTTONDOWNMASK), 0);
    // A quit request ends the splash at once, and the show with it.
    pushEvent(SDL_QUIT);
    pushEvent(SDL_KEYDOWN);
    EXPECT_FALSE(showSplash([] { return false; }));

    ASSERT_EQ(textureStore.textures.size(), static_cast<std::size_t>(pictureCount));
    long textureKib = 0;
    for (int n = 1; n <= pictureCount; ++n) {
        SCOPED_TRACE(pictureTable[n - 1].name);
        EXPECT_EQ(records[n - 1]->width, pictureTable[n - 1].width);
        EXPECT_EQ(records[n - 1]->height, pictureTable[n - 1].height);
        EXPECT_EQ(records[n - 1]->textureIndex, n - 1);
        glBindTexture(GL_TEXTURE_2D, textureStore.textures[static_cast<std::size_t>(n - 1)]);
        textureKib += integerLevelParameter(GL_TEXTURE_WIDTH) * integerLevelParameter(GL_TEXTURE_HEIGHT) * 4 / 1024;
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The renderer keeps every texture (85 MiB); nothing else may keep the
    // pixels, and only a few pictures are ever in flight. Drawing at all
    // costs the renderer some too: shaders, buffers, the window's image.
    const long resident = memoryKib("VmRSS:") - residentBefore;
    const long peak = memoryKib("VmHWM:") - residentBefore;
    std::printf("textures %ld KiB; above the window: %ld KiB after loading, %ld KiB at the peak\n", textureKib,
                resident, peak);
#ifndef __SANITIZE_ADDRESS__  // whose shadow memory and quarantine dwarf these figures
    constexpr long drawingKib = 32 * 1024;
    constexpr long inFlightKib = 16 * 1024;
    EXPECT_LE(resident, textureKib + drawingKib);
    EXPECT_LE(peak, textureKib + drawingKib + inFlightKib);
#endif
}

TEST(Splash, ShowsTheFaceSixteenTimesItsSizeInSharpBlocksMidScreen)
{
    loadPicturesOnce();
    setOrtho2D(screenWidth);
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
            const double u = unitOf(x, screenWidth), v = unitOf(y, screenHeight);
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
    TexturePixels pixels;
    EXPECT_EXIT(decodePicture(12, MediaBlock{cutShort.data(), cutShort.size()}, pixels), ::testing::ExitedWithCode(1),
                "cannot decode picture 12 \\(heart\\): ");
}
