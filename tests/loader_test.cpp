// Start-up loading and the splash, in a program of their own so the texture
// store starts empty: every picture becomes the texture its number says.
#include <gtest/gtest.h>

#include "app/splash.h"
#include "assets/loader.h"
#include "assets/media_table.h"
#include "gl_window.h"
#include "overlay/primitives.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new GlWindow(true));

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

}  // namespace

TEST(Loading, GivesEveryPictureItsSizeAndTheTextureOfItsNumber)
{
    ASSERT_TRUE(textureStore.textures.empty());
    loadAssets();
    EXPECT_NE(music, nullptr) << "the song must open";
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

    // The splash: a key press ends it after one frame; a close request or a
    // click before it is swallowed, not left for the show.
    setOrtho2D(1024);
    pushEvent(SDL_QUIT);
    pushEvent(SDL_MOUSEBUTTONDOWN);
    pushEvent(SDL_KEYDOWN);
    const Uint32 shownAt = SDL_GetTicks();
    showSplash();
    EXPECT_LT(SDL_GetTicks() - shownAt, 1000u) << "a key must end the splash at once";
    SDL_Event left;
    SDL_PumpEvents();
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_QUITMASK | SDL_MOUSEBUTTONDOWNMASK), 0);
}
