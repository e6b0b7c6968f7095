// A real OpenGL window for the tests that draw, opened once per test
// program: 1024 x 768 like the show's screen, with the show's fixed state.
// Needs a display; the suite runs under a virtual one.
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
    // Also opens the audio device (silently), for tests that load the song.
    // A window of another size shows the picture scaled to fit, as the show
    // does on a small display; reading the screen back needs the show's own.
    explicit GlWindow(bool withAudio = false, WindowSize size = {}) : withAudio_(withAudio), size_(size) {}
    void SetUp() override;
    void TearDown() override;

private:
    bool withAudio_;
    WindowSize size_;
};

// The colour drawn at screen pixel (x, y), y counted from the top, read from
// the back buffer before any swap. Reads go to the buffer being drawn, the
// default: the back buffer, or the framebuffer object that the SDL 1.2
// compatibility library draws into instead (where asking for the back
// buffer by name is an error).
std::array<std::uint8_t, 3> pixelAt(int x, int y);

GLint integerState(GLenum name);

// A window with every picture loaded, as the show has them before its first
// frame.
class ShowWindow : public GlWindow {
public:
    using GlWindow::GlWindow;
    void SetUp() override;
};

// Draws the show's frame for show time t without presenting it, so that
// pixelAt reads it: from the given state, or from a fresh one (the show
// before any frame: nothing laid, no snow).
void drawFrameAt(std::uint32_t t, ShowState& state);
void drawFrameAt(std::uint32_t t);

// What every drawer must leave behind: the modelview at its single level,
// texture 0 bound, and no GL error.
void expectDrawerLeftStateClean();

// The whole back buffer, RGB rows from the bottom up.
std::vector<std::uint8_t> readScreen();

// The colour at screen pixel (x, y), y from the top, in a readScreen result.
std::array<std::uint8_t, 3> pixelIn(const std::vector<std::uint8_t>& screen, int x, int y);

// One layer drawn by itself on a black screen at show time t, in the show's
// 2D state, as the frame draws it (only inside its window), checked to leave
// the state clean; returns the screen, the layer's own whatever the other
// layers draw. From the given state, or from a fresh one.
std::vector<std::uint8_t> drawLayerAlone(Layer layer, std::uint32_t t, ShowState& state);
std::vector<std::uint8_t> drawLayerAlone(Layer layer, std::uint32_t t);

// Any drawing of the show's flat kind alone, in the same way.
std::vector<std::uint8_t> drawAlone(const std::function<void()>& draw);

// The first and last rows (from the top) where two screens differ within
// columns minX..maxX, or (-1, -1) where they do not.
std::pair<int, int> differingRows(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                                  int minX = 0, int maxX = 1023);
constexpr std::pair<int, int> noRows{-1, -1};
