// A real OpenGL window for the tests that draw, opened once per test
// program: 1024 x 768 like the show's screen, with the show's fixed state.
// Needs a display; the suite runs under a virtual one.
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class GlWindow : public ::testing::Environment {
public:
    // Also opens the audio device (silently), for tests that load the song.
    explicit GlWindow(bool withAudio = false) : withAudio_(withAudio) {}
    void SetUp() override;
    void TearDown() override;

private:
    bool withAudio_;
};

// The show's own 2D projection: one unit per pixel, y down.
void useShowProjection();

// The colour drawn at screen pixel (x, y), y counted from the top, read from
// the back buffer before any swap.
std::array<std::uint8_t, 3> pixelAt(int x, int y);

GLint integerState(GLenum name);

// A window with every picture and the song loaded, as the show has them
// before its first frame.
class ShowWindow : public GlWindow {
public:
    ShowWindow() : GlWindow(true) {}
    void SetUp() override;
};

// Draws the show's frame for globaltime t without presenting it, so that
// pixelAt reads it. The show projection is set first, as the ride view has
// always left it by the time any later scene draws.
void drawFrameAt(std::uint32_t t);

// What every drawer must leave behind: the modelview at its single level,
// texture 0 bound, and no GL error.
void expectDrawerLeftStateClean();

// The whole back buffer, RGB rows from the bottom up.
std::vector<std::uint8_t> readScreen();

// The colour at screen pixel (x, y), y from the top, in a readScreen result.
std::array<std::uint8_t, 3> pixelIn(const std::vector<std::uint8_t>& screen, int x, int y);

// One scene drawn by itself on a black screen at globaltime t, checked to
// leave the state clean; returns the screen, the scene's own whatever the
// other scenes draw.
std::vector<std::uint8_t> drawSceneAlone(void (*scene)(), std::uint32_t t);

// The first and last rows (from the top) where two screens differ within
// columns minX..maxX, or (-1, -1) where they do not.
std::pair<int, int> differingRows(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                                  int minX = 0, int maxX = 1023);
constexpr std::pair<int, int> noRows{-1, -1};
