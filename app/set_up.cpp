#include "app/set_up.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>

#include "app/gl_state.h"
#include "app/warm_up.h"
#include "assets/loader.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {

constexpr int screenBits = 32;
constexpr int depthBits = 16;
constexpr const char* windowTitle = "sleighride";

[[noreturn]] void failSetUp(const char* what, const char* why)
{
    std::fprintf(stderr, "%s: %s\n", what, why);
    SDL_Quit();
    std::exit(1);
}

}  // namespace

void openShowWindow(bool fullScreen)
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        failSetUp("cannot start SDL", SDL_GetError());
    }
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_WM_SetCaption(windowTitle, windowTitle);
    const Uint32 flags = SDL_OPENGL | (fullScreen ? SDL_FULLSCREEN : 0);
    if (SDL_SetVideoMode(screenWidth, screenHeight, screenBits, flags) == nullptr) {
        failSetUp(fullScreen ? "cannot open the full-screen OpenGL window" : "cannot open the OpenGL window",
                  SDL_GetError());
    }
}

void prepareDrawing()
{
    loadPictures();
    initGLState();
    warmUpDrawing();
    setOrtho2D(screenWidth);
}

void setUpShow(ShowSong& song)
{
    // Video on its own: a missing sound device must not stop the show.
    openShowWindow(true);
    if (!openShowAudio(stderr)) {
        failSetUp("cannot open even the silent audio device", SDL_GetError());
    }
    SDL_ShowCursor(0);
    // The splash needs only its own picture; the others load while it shows.
    startLoadingPictures(splashIcon);
    initGLState();
    setOrtho2D(screenWidth);
    if (!openSong(song, musicBlock())) {
        failSetUp("cannot open the song", Mix_GetError());
    }
}

void leaveFullScreen()
{
    SDL_SetVideoMode(screenWidth, screenHeight, screenBits, SDL_OPENGL);
}
