// The frame's script: what it draws over what, and when, read back from
// real frames of the loaded show.
#include <gtest/gtest.h>

#include <SDL_opengl.h>

#include <limits>
#include <memory>

#include "app/frame.h"
#include "assets/loader.h"
#include "gl_window.h"
#include "layers/handover_caption.h"
#include "overlay/primitives.h"
#include "overlay/timed_card.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new ShowWindow);

}  // namespace

TEST(HandOverCaption, FlashesThreeTimesOnTheSecondHalfOfTheBeat)
{
    const struct {
        std::uint32_t t;
        bool shown;
    } cases[] = {{81875, false}, {81876, false}, {81938, false}, {81939, true}, {82124, true},
                 {82125, false}, {82314, true},  {82499, true},  {82500, false}, {82689, true},
                 {82874, true},  {82875, false}, {83000, false}, {83064, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(handOverCaptionShown(c.t), c.shown) << c.t;
    }
}

TEST(HandOverCaption, CoversOnlyTheLowerTwoThirdsOfTheScreenWithItsUpperHalf)
{
    // The same point in the dancing Santa's step (pulse 62, tipped the same
    // way), once with the caption hidden and once with it shown.
    drawFrameAt(81876);
    const auto hidden = readScreen();
    drawFrameAt(82000);
    const auto shown = readScreen();
    expectDrawerLeftStateClean();
    // The caption's lettering, picture rows 241 to 430, lands 256 rows down;
    // nothing of it reaches above row 256.
    const auto [top, bottom] = differingRows(hidden, shown);
    EXPECT_NEAR(top, 256 + 241, 10);
    EXPECT_NEAR(bottom, 256 + 430, 10);
}

TEST(Credits, CoverEverythingDrawnBeforeThem)
{
    // A full-screen opaque credits card in its opaque second is all there is.
    const std::uint32_t t = 185000;
    drawFrameAt(t);
    const auto frame = readScreen();
    useShowProjection();
    glClear(GL_COLOR_BUFFER_BIT);
    drawTimedCard(t, {{183500, 186500}, creditCode});
    EXPECT_EQ(differingRows(frame, readScreen()), noRows);
}

TEST(Frame, EveryFrameOfTheShowLeavesTheStateTheNextDrawerExpects)
{
    // A sweep through the whole script and beyond, then every layer's edges,
    // the last just after the closing card.
    std::vector<std::uint32_t> times;
    for (std::uint32_t t = 0; t <= 330000; t += 1750) {
        times.push_back(t);
    }
    times.insert(times.end(), {0,      1,      36000,  36001,  42000,  48750,  48751,  68000,  68001,  74000,
                               74001,  81939,  85000,  85001,  111000, 111001, 116624, 116625, 116626, 153000,
                               153001, 157001, 183499, 183501, 198500, 198501, 318500, 318501});
    for (std::uint32_t t : times) {
        SCOPED_TRACE(t);
        drawFrameAt(t);
        expectDrawerLeftStateClean();
        EXPECT_TRUE(glIsEnabled(GL_BLEND));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
        GLint blend[2];
        glGetIntegerv(GL_BLEND_SRC, &blend[0]);
        glGetIntegerv(GL_BLEND_DST, &blend[1]);
        EXPECT_EQ(blend[0], GL_SRC_ALPHA);
        EXPECT_EQ(blend[1], GL_ONE_MINUS_SRC_ALPHA);
    }
    EXPECT_TRUE(allBlack(readScreen()))
        << "something on screen after the closing card";
}

TEST(Frame, AStateAdvancedThroughTheFramesBeforeAMomentShowsWhatDrawingThemWould)
{
    // The ride laying and turning, the snow falling, the pattern's phase.
    constexpr std::uint32_t frameMs = 250;
    const auto drawn = std::make_unique<ShowState>(5), advanced = std::make_unique<ShowState>(5);
    for (const std::uint32_t moment : {30000u, 60000u, 111250u}) {
        SCOPED_TRACE(moment);
        for (std::uint32_t t = moment - 6000; t < moment; t += frameMs) {
            drawFrameAt(t, *drawn);
            advanceFrame(t, *advanced);
        }
        drawFrameAt(moment, *drawn);
        const auto expected = readScreen();
        drawFrameAt(moment, *advanced);
        EXPECT_EQ(differingRows(readScreen(), expected), noRows);
    }
}

TEST(Frame, AShowStartedLaterDrawsWhatAShowPlayedFromTheStartDrawsThere)
{
    // A frame every nominalFrameMs from the start, each drawn, as a live
    // show plays; the snow has fallen for nine seconds over the laid track.
    constexpr std::uint32_t moment = 45000;
    const auto straight = std::make_unique<ShowState>(5);
    for (std::uint32_t t = 0; t < moment; t += nominalFrameMs) {
        drawFrameAt(t, *straight);
    }
    drawFrameAt(moment, *straight);
    const auto played = readScreen();

    const auto later = std::make_unique<ShowState>(5);
    advanceStateTo(moment, *later);
    const ShowState before = *later;
    drawFrameAt(moment, *later);
    EXPECT_EQ(differingRows(readScreen(), played), noRows);

    // The snow is what tells them apart from a show started there afresh.
    ShowState snowless = before;
    snowless.snow.reset(5);
    drawFrameAt(moment, snowless);
    EXPECT_NE(differingRows(readScreen(), played), noRows) << "the snow fallen since 36 s is missing";

    // Past the last window no frame changes anything: the far end of the
    // clock is reached without stepping through it.
    advanceStateTo(std::numeric_limits<std::uint32_t>::max(), *later);
}

TEST(Frame, EveryLayerDrawsAtTheMomentThatPicturesIt)
{
    for (const ShowLayer& row : showLayers) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(allBlack(drawLayerAlone(row.layer, row.picturedAt))) << "a row that never draws";
    }
}
