// What the frames ask of a renderer without a GPU, counted rather than
// timed so that nothing here can flake: the pixels each frame writes (an
// occlusion query counts exactly the fragments drawn; clears write none),
// in full screens' worth, for the frames of every layer's window. A
// transparent screen drawn whole, or a white one painted rather than
// cleared, shows up here. Also the two things the cheaper drawing relies
// on: a screen cleared to grey is the white screen faded over black, and
// the warm-up never shows.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/warm_up.h"
#include "gl_window.h"
#include "overlay/primitives.h"
#include "timeline/timeline.h"

namespace {

constexpr GLenum samplesPassed = 0x8914;        // GL_SAMPLES_PASSED
constexpr GLenum queryResult = 0x8866;          // GL_QUERY_RESULT
constexpr double screenPixels = 1024.0 * 768.0;
constexpr std::uint32_t stepMs = 500;

// OpenGL 1.5's occlusion queries, for this check only: the show keeps to 1.1.
class FragmentCounter {
public:
    FragmentCounter()
        : gen_(reinterpret_cast<void (*)(GLsizei, GLuint*)>(SDL_GL_GetProcAddress("glGenQueries"))),
          begin_(reinterpret_cast<void (*)(GLenum, GLuint)>(SDL_GL_GetProcAddress("glBeginQuery"))),
          end_(reinterpret_cast<void (*)(GLenum)>(SDL_GL_GetProcAddress("glEndQuery"))),
          result_(reinterpret_cast<void (*)(GLuint, GLenum, GLuint*)>(SDL_GL_GetProcAddress("glGetQueryObjectuiv")))
    {
        if (gen_ != nullptr) {
            gen_(1, &query_);
        }
    }
    bool available() const { return gen_ && begin_ && end_ && result_; }

    // Full screens' worth of fragments that draw() writes.
    template <class Draw>
    double screensDrawnBy(Draw draw)
    {
        begin_(samplesPassed, query_);
        draw();
        end_(samplesPassed);
        GLuint fragments = 0;
        result_(query_, queryResult, &fragments);
        return fragments / screenPixels;
    }

private:
    void (*gen_)(GLsizei, GLuint*);
    void (*begin_)(GLenum, GLuint);
    void (*end_)(GLenum);
    void (*result_)(GLuint, GLenum, GLuint*);
    GLuint query_ = 0;
};

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
    FragmentCounter counter;
    ASSERT_TRUE(counter.available());
    const auto state = std::make_unique<ShowState>();
    double most[std::size(timeline)] = {};
    for (std::uint32_t t = 0; t <= windowOf(Layer::ClosingCard).until; t += stepMs) {
        const double screens = counter.screensDrawnBy([&] { drawFrameAt(t, *state); });
        for (std::size_t row = 0; row < std::size(timeline); ++row) {
            if (timeline[row].window.contains(t)) {
                most[row] = std::max(most[row], screens);
            }
        }
    }
    for (std::size_t row = 0; row < std::size(timeline); ++row) {
        const Layer layer = timeline[row].layer;
        EXPECT_LE(most[row], fillLimit(layer)) << layerName(layer);
        std::printf("%-16s at most %.2f screens a frame\n", layerName(layer), most[row]);
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
            drawQuad(512, 384, 1024, 768);
        });
        ASSERT_EQ(painted, seen([&] { fillScreen(alpha, alpha, alpha); })) << "alpha " << alpha;
    }
    glViewport(0, 0, 1024, 768);
}

TEST(WarmUp, DrawsEveryLayerOutOfSightAndLeavesTheTwoDState)
{
    std::size_t frames = 0;
    while (drawWarmUpFrame(frames)) {
        ++frames;
        expectDrawerLeftStateClean();
        const auto screen = readScreen();
        ASSERT_TRUE(std::all_of(screen.begin(), screen.end(), [](std::uint8_t value) { return value == 0; }))
            << "warm-up frame " << frames << " left something on screen";
    }
    EXPECT_GE(frames, std::size(timeline));
}
