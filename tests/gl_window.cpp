#include "gl_window.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "app/audio.h"
#include "app/gl_state.h"
#include "assets/loader.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"
#include "set_up_failure.h"

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
    if (SDL_SetVideoMode(size_.width, size_.height, 32, SDL_OPENGL) == nullptr) {
        failSetUp("opening an OpenGL window", SDL_GetError());
    }
    initGLState();
    useShowViewport(size_.width, size_.height);
}

void GlWindow::TearDown()
{
    SDL_Quit();
}

std::array<std::uint8_t, 3> pixelAt(int x, int y)
{
    std::array<std::uint8_t, 3> rgb{};
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

void ShowWindow::SetUp()
{
    GlWindow::SetUp();
    loadPictures();
    // Loading leaves its last texture bound; the splash's picture, drawn
    // before any show frame, leaves texture 0.
    glBindTexture(GL_TEXTURE_2D, 0);
}

void drawFrameAt(std::uint32_t t, ShowState& state)
{
    playFrame(t, state);
}

void drawFrameAt(std::uint32_t t)
{
    const auto fresh = std::make_unique<ShowState>();
    playFrame(t, *fresh);
}

void expectDrawerLeftStateClean()
{
    EXPECT_EQ(integerState(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(integerState(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

std::vector<std::uint8_t> readScreen()
{
    std::vector<std::uint8_t> screen(static_cast<std::size_t>(screenWidth) * screenHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, screenWidth, screenHeight, GL_RGB, GL_UNSIGNED_BYTE, screen.data());
    return screen;
}

std::array<std::uint8_t, 3> pixelIn(const std::vector<std::uint8_t>& screen, int x, int y)
{
    const std::size_t at = (static_cast<std::size_t>(screenHeight - 1 - y) * screenWidth + x) * 3;
    return {screen[at], screen[at + 1], screen[at + 2]};
}

bool allBlack(const std::vector<std::uint8_t>& screen)
{
    return std::all_of(screen.begin(), screen.end(), [](std::uint8_t value) { return value == 0; });
}

std::vector<std::uint8_t> drawAlone(const std::function<void()>& draw)
{
    useShowProjection();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    expectDrawerLeftStateClean();
    return readScreen();
}

std::vector<std::uint8_t> drawLayerAlone(Layer layer, std::uint32_t t, ShowState& state)
{
    const ShowLayer& row = showLayer(layer);
    if (row.advance != nullptr && row.window.contains(t)) {
        row.advance(t, state);
    }
    return drawAlone([&] { drawLayerIfShown(layer, t, state); });
}

std::vector<std::uint8_t> drawLayerAlone(Layer layer, std::uint32_t t)
{
    const auto fresh = std::make_unique<ShowState>();
    return drawLayerAlone(layer, t, *fresh);
}

std::pair<int, int> differingRows(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                                  int minX, int maxX)
{
    std::pair<int, int> rows = noRows;
    for (int y = 0; y < screenHeight; ++y) {
        for (int x = minX; x <= maxX; ++x) {
            if (pixelIn(a, x, y) != pixelIn(b, x, y)) {
                rows = {rows.first < 0 ? y : rows.first, y};
                break;
            }
        }
    }
    return rows;
}
