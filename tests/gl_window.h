// A real OpenGL window for the tests that draw, opened once per test
// program: the size of the show's screen, with the show's fixed state.
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "app/frame.h"
#include "overlay/screen.h"

class GlWindow : public ::testing::Environment {
public:
    // withAudio: the dummy audio device too. A window of another size shows
    // the picture scaled to fit; reading the screen back needs the show's.
    explicit GlWindow(bool withAudio = false, WindowSize size = {}) : withAudio_(withAudio), size_(size) {}
    void SetUp() override;
    void TearDown() override;

private:
    bool withAudio_;
    WindowSize size_;
};

// The colour drawn at screen pixel (x, y), y from the top, read from the
// buffer being drawn: the back buffer, or the framebuffer object that the
// SDL 1.2 compatibility library draws into (where naming GL_BACK fails).
std::array<std::uint8_t, 3> pixelAt(int x, int y);

GLint integerState(GLenum name);

// A window with every picture loaded, as before the show's first frame.
class ShowWindow : public GlWindow {
public:
    using GlWindow::GlWindow;
    void SetUp() override;
};

// The show's frame at t as a live show plays it (advanced, then drawn), not
// presented, from the given state or a fresh one (no snow).
void drawFrameAt(std::uint32_t t, ShowState& state);
void drawFrameAt(std::uint32_t t);

// What every drawer leaves: one modelview level, texture 0, no GL error.
void expectDrawerLeftStateClean();

// The whole back buffer, RGB rows from the bottom up: screenRgbBytes.
constexpr std::size_t screenRgbBytes = std::size_t{screenWidth} * screenHeight * 3;
std::vector<std::uint8_t> readScreen();

// The colour at screen pixel (x, y), y from the top, in a readScreen result.
std::array<std::uint8_t, 3> pixelIn(const std::vector<std::uint8_t>& screen, int x, int y);

bool allBlack(const std::vector<std::uint8_t>& screen);

// One layer alone on a black screen at t, as the frame plays it (only
// inside its window, advanced, then drawn), checked to leave the state
// clean; from the given state or a fresh one.
std::vector<std::uint8_t> drawLayerAlone(Layer layer, std::uint32_t t, ShowState& state);
std::vector<std::uint8_t> drawLayerAlone(Layer layer, std::uint32_t t);

// Any flat drawing alone, in the same way.
std::vector<std::uint8_t> drawAlone(const std::function<void()>& draw);

// The first and last rows (from the top) where two screens differ within
// columns minX..maxX, or (-1, -1) where they do not.
std::pair<int, int> differingRows(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                                  int minX = 0, int maxX = screenWidth - 1);
constexpr std::pair<int, int> noRows{-1, -1};
