#include "app/splash.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include "app/warm_up.h"
#include "assets/loader.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {

constexpr Uint32 splashMs = 4000;
constexpr float enlargement = 16;  // nearest sampling keeps the pixels square

}  // namespace

void drawSplashFrame()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glClear(GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 1, 1);
    drawTexturedQuad(splashIcon, screenCentreX, screenCentreY, enlargement * splashIcon.width,
                     enlargement * splashIcon.height);
}

bool showSplash(const std::function<bool()>& spareWork)
{
    const Uint32 shownAt = SDL_GetTicks();
    bool keyPressed = false;
    bool loaded = false;
    std::size_t warmedUp = 0;
    bool workLeft = true;
    // No delay: redraws as fast as the swap allows, after each frame taking
    // in the pictures decoded meanwhile and then warming up the show's
    // drawing out of sight (until a key). A key ends the splash only after
    // the frame of that turn has been shown, and only once every picture is
    // loaded; a quit request (the window closed, Ctrl-C, SIGTERM) ends the
    // program at once.
    while (!loaded || (SDL_GetTicks() - shownAt < splashMs && !keyPressed)) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) {
                return false;
            }
            keyPressed = keyPressed || event.type == SDL_KEYDOWN;
        }
        drawSplashFrame();
        SDL_GL_SwapBuffers();
        loaded = uploadDecodedPictures();
        if (loaded && !keyPressed && drawWarmUpFrame(warmedUp)) {
            ++warmedUp;
        } else if (loaded && workLeft) {
            workLeft = spareWork();
        }
    }
    return true;
}
