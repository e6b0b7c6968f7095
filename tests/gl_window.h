// A real OpenGL window for the tests that draw, opened once per test
// program: 1024 x 768 like the show's screen, with the show's fixed state.
// Needs a display; the suite runs under a virtual one.
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

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
