// Timed cards: the fades at the exact milliseconds of their windows, and a
// card read back from a real frame at full and at half strength.
#include <gtest/gtest.h>

#include <SDL_opengl.h>

#include "assets/loader.h"
#include "gl_window.h"
#include "overlay/primitives.h"
#include "overlay/timed_card.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new ShowWindow);

struct ShadeAt {
    TimeWindow window;
    std::uint32_t t;
    bool drawn;
    bool faded;
    float alpha;
};

}  // namespace

TEST(CardShade, FadesInAndOutOverOneSecondAtEachEndOfItsWindow)
{
    constexpr TimeWindow opening{12000, 18000}, credits{183500, 186500}, short_{0, 1500};
    const ShadeAt cases[] = {
        // An opening card.
        {opening, 12000, false, false, 0},   {opening, 12001, true, true, 0.001f},
        {opening, 13000, true, true, 1.0f},  {opening, 13001, true, false, 1.0f},
        {opening, 17000, true, false, 1.0f}, {opening, 17001, true, true, 0.999f},
        {opening, 18000, true, true, 0.0f},  {opening, 18001, false, false, 0},
        // A credits card is opaque only in its middle second.
        {credits, 184500, true, true, 1.0f}, {credits, 184501, true, false, 1.0f},
        {credits, 185500, true, false, 1.0f}, {credits, 185501, true, true, 0.999f},
        // Shorter than its two fades: the fade-out wins where both apply.
        {short_, 400, true, true, 0.4f}, {short_, 600, true, true, 0.9f},
    };
    for (const ShadeAt& c : cases) {
        SCOPED_TRACE(c.t);
        const CardShade shade = cardShade(c.window, c.t);
        EXPECT_EQ(shade.drawn, c.drawn);
        if (c.drawn) {
            EXPECT_EQ(shade.faded, c.faded);
            EXPECT_FLOAT_EQ(shade.alpha, c.alpha);
        }
    }
}

TEST(TimedCard, DrawsNothingAndSetsNoColourOutsideItsWindow)
{
    useShowProjection();
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(0.25f, 0.5f, 0.75f, 1);
    drawTimedCard(6001, {{0, 6000}, introLine1});
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.25f);
    EXPECT_FLOAT_EQ(colour[2], 0.75f);
    EXPECT_TRUE(allBlack(readScreen()));
}

TEST(TimedCard, ShowsThePictureAtItsSizeCentredAndAtHalfStrengthMidFade)
{
    // The first title line, 635 x 67, alone on black.
    const auto cardAt = [](std::uint32_t t) {
        useShowProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        drawTimedCard(t, {{0, 6000}, introLine1});
    };
    cardAt(3000);
    const auto full = readScreen();
    expectDrawerLeftStateClean();
    int brightestX = 0, brightestY = 0, brightest = 0;
    for (int y = 0; y < screenHeight; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            const int value = pixelIn(full, x, y)[0];
            const bool insideCard = std::abs(x - 512) * 2 < 635 && std::abs(y - 384) * 2 < 67;
            if (!insideCard) {
                ASSERT_EQ(value, 0) << x << ", " << y;
            } else if (value > brightest) {
                brightest = value;
                brightestX = x;
                brightestY = y;
            }
        }
    }
    ASSERT_GT(brightest, 200);
    cardAt(500);
    EXPECT_NEAR(pixelAt(brightestX, brightestY)[0], brightest / 2.0, 2.0);
}
