#include "app/set_up.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/gl_state.h"
#include "app/warm_up.h"
#include "assets/loader.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {

constexpr int screenBits = 32;
constexpr int depthBits = 16;
constexpr const char* windowTitle = "sleighride";
constexpr const char* noWindow = "cannot open the show's window";

[[noreturn]] void failSetUp(const std::string& what, const std::string& why)
{
    std::fprintf(stderr, "%s: %s\n", what.c_str(), why.c_str());
    SDL_Quit();
    std::exit(1);
}

// Starts SDL's video on the X display. Left to choose, SDL takes a
// text-mode driver that writes escape codes into the terminal (the classic
// library) or an invisible offscreen one (the compatibility library over
// SDL2) when it finds no display, so unless the caller names a driver the
// show asks for X11 alone, and says plainly when there is no display.
void startVideo()
{
    const bool driverChosen = std::getenv("SDL_VIDEODRIVER") != nullptr;
    if (!driverChosen) {
        setenv("SDL_VIDEODRIVER", "x11", 1);
    }
    if (SDL_Init(SDL_INIT_VIDEO) == 0) {
        return;
    }
    if (driverChosen) {
        failSetUp("cannot start SDL's video", SDL_GetError());
    }
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        failSetUp(noWindow, "there is no display (DISPLAY is not set)");
    }
    failSetUp(noWindow, std::string("there is no display at DISPLAY=") + display + " (" + SDL_GetError() + ")");
}

// Whether the display offers a mode that holds the show's screen. The
// classic library refuses full screen without one; the compatibility
// library would open it anyway, hanging off the display's edges.
bool fullScreenFits()
{
    SDL_Rect** modes = SDL_ListModes(nullptr, SDL_OPENGL | SDL_FULLSCREEN);
    if (modes == reinterpret_cast<SDL_Rect**>(-1)) {
        return true;  // any size will do
    }
    for (; modes != nullptr && *modes != nullptr; ++modes) {
        if ((*modes)->w >= screenWidth && (*modes)->h >= screenHeight) {
            return true;
        }
    }
    return false;
}

// The fixed drawing state and the splash's projection. The projection fills
// a 1024 x 768 viewport; a smaller window shows the picture scaled to fit.
void useSplashDrawing(int windowWidth, int windowHeight)
{
    initGLState();
    setOrtho2D(screenWidth);
    useShowViewport(windowWidth, windowHeight);
}

}  // namespace

void openShowWindow(bool fullScreen)
{
    startVideo();
    // Before any mode is set, SDL reports the display's own size and depth.
    const SDL_VideoInfo* display = SDL_GetVideoInfo();
    const int displayWidth = display->current_w;
    const int displayHeight = display->current_h;
    const int displayBits = display->vfmt->BitsPerPixel;
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_WM_SetCaption(windowTitle, windowTitle);
    std::string fullScreenTrouble = "no video mode large enough";
    if (fullScreen && fullScreenFits()) {
        if (SDL_SetVideoMode(screenWidth, screenHeight, screenBits, SDL_OPENGL | SDL_FULLSCREEN) != nullptr) {
            return;
        }
        fullScreenTrouble = SDL_GetError();
    }
    const WindowSize window = showWindowOn(displayWidth, displayHeight);
    if (SDL_SetVideoMode(window.width, window.height, screenBits, SDL_OPENGL) == nullptr) {
        const std::string depth = displayBits > 0 ? " on the " + std::to_string(displayBits) + "-bit display" : "";
        failSetUp("cannot open an OpenGL window" + depth, SDL_GetError());
    }
    const std::string size = std::to_string(window.width) + " x " + std::to_string(window.height);
    if (fullScreen) {
        std::fprintf(stderr, "cannot play full screen at %d x %d (%s): playing in a window of %s\n", screenWidth,
                     screenHeight, fullScreenTrouble.c_str(), size.c_str());
    } else if (window.width != screenWidth) {
        std::fprintf(stderr, "the display is %d x %d: playing in a window of %s\n", displayWidth, displayHeight,
                     size.c_str());
    }
}

void prepareDrawing(int width, int height)
{
    loadPictures();
    useSplashDrawing(width, height);
    warmUpDrawing();
}

void prepareDrawing()
{
    const SDL_Surface* screen = SDL_GetVideoSurface();
    prepareDrawing(screen->w, screen->h);
}

void setUpShow(ShowSong& song, bool fullScreen)
{
    // Video on its own: a missing sound device must not stop the show.
    openShowWindow(fullScreen);
    if (!openShowAudio(stderr)) {
        failSetUp("cannot open even the silent audio device", SDL_GetError());
    }
    SDL_ShowCursor(0);
    // The splash needs only its own picture; the others load while it shows.
    startLoadingPictures(splashIcon);
    const SDL_Surface* screen = SDL_GetVideoSurface();
    useSplashDrawing(screen->w, screen->h);
    if (!openSong(song, musicBlock())) {
        failSetUp("cannot open the song", Mix_GetError());
    }
}

void leaveFullScreen()
{
    const SDL_Surface* screen = SDL_GetVideoSurface();
    if ((screen->flags & SDL_FULLSCREEN) != 0) {
        SDL_SetVideoMode(screenWidth, screenHeight, screenBits, SDL_OPENGL);
    }
}
