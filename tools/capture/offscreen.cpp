#include "tools/capture/offscreen.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The pixels of the show's own window, so that the software renderer takes
// the same paths and the frames come out identical: 8 bits each of blue,
// green, red and alpha (the window keeps an alpha byte too, though it
// reports none), and the 32 depth bits it gives the window's request. With
// no alpha byte the lit ride's shading rounds differently.
constexpr EGLint colourBits = 8;
constexpr EGLint depthBits = 32;

[[noreturn]] void failOffscreen(const char* what)
{
    std::fprintf(stderr, "cannot draw offscreen: %s (EGL error 0x%x)\n", what, eglGetError());
    std::exit(1);
}

}  // namespace

OffscreenScreen::OffscreenScreen(int width, int height) : width_(width), height_(height)
{
    // Mesa's surfaceless platform: no display server, no device, the
    // software renderer.
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) {
        failOffscreen("EGL has no platform displays");
    }
    display_ = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) {
        failOffscreen("Mesa's surfaceless EGL platform is not available");
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        failOffscreen("EGL offers no desktop OpenGL");
    }
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,  EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                             EGL_RED_SIZE,     colourBits,       EGL_GREEN_SIZE,      colourBits,
                             EGL_BLUE_SIZE,    colourBits,       EGL_ALPHA_SIZE,      colourBits,
                             EGL_DEPTH_SIZE,   depthBits,        EGL_NONE};
    EGLConfig config = nullptr;
    EGLint found = 0;
    if (!eglChooseConfig(display_, wanted, &config, 1, &found) || found == 0) {
        failOffscreen("no 32-bit colour pbuffer with 32 depth bits");
    }
    EGLint largest = 0;
    eglGetConfigAttrib(display_, config, EGL_MAX_PBUFFER_WIDTH, &largest);
    if (width > largest || height > largest) {
        std::fprintf(stderr, "cannot draw offscreen: %d x %d is larger than the renderer's %d x %d\n", width,
                     height, largest, largest);
        std::exit(1);
    }
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface_ = eglCreatePbufferSurface(display_, config, size);
    if (surface_ == EGL_NO_SURFACE) {
        failOffscreen("cannot make the offscreen surface");
    }
    // No version asked for: the compatibility profile, which the show's
    // fixed-function drawing needs.
    context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
    if (context_ == EGL_NO_CONTEXT || !eglMakeCurrent(display_, surface_, surface_, context_)) {
        failOffscreen("cannot make an OpenGL context");
    }
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
}

OffscreenScreen::~OffscreenScreen()
{
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display_, context_);
    eglDestroySurface(display_, surface_);
    eglTerminate(display_);
}

void OffscreenScreen::read(std::uint8_t* pixels) const
{
    glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
}
