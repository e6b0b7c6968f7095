// What the frames ask of a renderer without a GPU, counted rather than
// timed: the pixels each frame writes (an occlusion query counts the
// fragments drawn; clears write none). Also what the cheaper drawing relies
// on: a screen cleared to grey is the white screen faded over black, and
// the warm-up never shows.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "app/show_layers.h"
#include "app/warm_up.h"
#include "gl_window.h"
#include "overlay/primitives.h"

namespace {

constexpr GLenum samplesPassed = 0x8914;        // GL_SAMPLES_PASSED
constexpr GLenum queryResultValue = 0x8866;     // GL_QUERY_RESULT
constexpr double screenPixels = double{screenWidth} * screenHeight;
constexpr std::uint32_t stepMs = 500;

// OpenGL 1.5's occlusion queries, for this check only: the show keeps to 1.1.
template <class Function>
Function* glFunction(const char* name)
{
    const auto function = reinterpret_cast<Function*>(SDL_GL_GetProcAddress(name));
    EXPECT_NE(function, nullptr) << name;
    return function;
}

// The most any frame of a layer's window may write: the three blended
// screens the frame benchmark's floor draws, times the 0.6 of it a frame
// may take. The 8-bit computer's two screens overlap while its logo fades
// in, 1.92 screens: the fade needs the screen below it.
double fillLimit(Layer layer)
{
    constexpr double goal = 0.6 * 3;
    constexpr double computerFade = 2;
    return layer == Layer::RetroComputer ? computerFade : goal;
}

}  // namespace

TEST(Fill, NoFrameOfAnyLayerWritesMoreThanItsShareOfScreens)
{
    const auto genQueries = glFunction<void(GLsizei, GLuint*)>("glGenQueries");
    const auto beginQuery = glFunction<void(GLenum, GLuint)>("glBeginQuery");
    const auto endQuery = glFunction<void(GLenum)>("glEndQuery");
    const auto queryResult = glFunction<void(GLuint, GLenum, GLuint*)>("glGetQueryObjectuiv");
    ASSERT_FALSE(HasFailure());
    GLuint query = 0, fragments = 0;
    genQueries(1, &query);
    const auto state = std::make_unique<ShowState>();
    double most[std::size(showLayers)] = {};
    for (std::uint32_t t = 0; t <= showEndMs; t += stepMs) {
        beginQuery(samplesPassed, query);
        drawFrameAt(t, *state);
        endQuery(samplesPassed);
        queryResult(query, queryResultValue, &fragments);
        const double screens = fragments / screenPixels;
        for (std::size_t row = 0; row < std::size(showLayers); ++row) {
            if (showLayers[row].window.contains(t)) {
                most[row] = std::max(most[row], screens);
            }
        }
    }
    for (std::size_t row = 0; row < std::size(showLayers); ++row) {
        const Layer layer = showLayers[row].layer;
        EXPECT_LE(most[row], fillLimit(layer)) << layerName(layer);
    }
}

TEST(Fill, AScreenClearedToGreyIsTheWhiteScreenFadedInOverBlack)
{
    // An 8 x 8 corner of the window is enough: the arithmetic is the same
    // everywhere.
    glViewport(0, 0, 8, 8);
    const auto seen = [](const std::function<void()>& draw) {
        useShowProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        draw();
        return pixelAt(3, 764);
    };
    for (int step = 0; step <= 2 * 255; ++step) {
        const float alpha = static_cast<float>(step) / (2 * 255);
        const auto painted = seen([&] {
            glColor4f(1, 1, 1, alpha);
            drawQuad(screenCentreX, screenCentreY, screenWidth, screenHeight);
        });
        ASSERT_EQ(painted, seen([&] { fillScreen(alpha, alpha, alpha); })) << "alpha " << alpha;
    }
    glViewport(0, 0, screenWidth, screenHeight);
}

TEST(WarmUp, DrawsEveryLayerOutOfSightAndLeavesTheTwoDState)
{
    std::size_t frames = 0;
    while (drawWarmUpFrame(frames)) {
        ++frames;
        expectDrawerLeftStateClean();
        ASSERT_TRUE(allBlack(readScreen()))
            << "warm-up frame " << frames << " left something on screen";
    }
    EXPECT_GE(frames, std::size(showLayers));
}
