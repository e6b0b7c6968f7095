#include "gl_window.h"

#include <cstdlib>

#include "app/audio.h"
#include "app/gl_state.h"
#include "set_up_failure.h"

namespace {

constexpr int screenWidth = 1024;
constexpr int screenHeight = 768;

}  // namespace

void GlWindow::SetUp()
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const Uint32 systems = SDL_INIT_VIDEO | (withAudio_ ? SDL_INIT_AUDIO : 0);
    if (SDL_Init(systems) != 0) {
        failSetUp("SDL_Init", SDL_GetError());
    }
    if (withAudio_ && !openMixer()) {
        failSetUp("opening the audio device", SDL_GetError());
    }
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (SDL_SetVideoMode(screenWidth, screenHeight, 32, SDL_OPENGL) == nullptr) {
        failSetUp("opening an OpenGL window", SDL_GetError());
    }
    initGLState();
    glViewport(0, 0, screenWidth, screenHeight);
}

void GlWindow::TearDown()
{
    SDL_Quit();
}

void useShowProjection()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, screenWidth, screenHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
}

std::array<std::uint8_t, 3> pixelAt(int x, int y)
{
    std::array<std::uint8_t, 3> rgb{};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, screenHeight - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

GLint integerState(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}
