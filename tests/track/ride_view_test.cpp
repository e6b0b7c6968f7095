// The ride view: laying on the beat, the model's placement and the ball at
// the phase boundaries, the 2D state it leaves, and real frames read back.
// Laying keeps state, so each test lays its own track from the first beat.
#include <gtest/gtest.h>

#include <functional>

#include "app/show_clock.h"
#include "gl_window.h"
#include "ride_geometry.h"
#include "track/ride_view.h"
#include "track/track.h"

namespace {

// The view alone on a cleared screen at time t, as the frame calls it.
void rideFrameAt(std::uint32_t t)
{
    useShowProjection();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    globaltime = t;
    drawRideView();
}

// One frame at the start of every laying slot from time from up to time to.
void layEveryBeat(std::uint32_t from, std::uint32_t to)
{
    for (std::uint32_t slotStart = from; slotStart <= to; slotStart += beatMs) {
        rideFrameAt(slotStart);
    }
}

int pixelsWhere(const std::function<bool(int r, int g, int b)>& colour)
{
    const auto screen = readScreen();
    int count = 0;
    for (std::size_t i = 0; i + 2 < screen.size(); i += 3) {
        count += colour(screen[i], screen[i + 1], screen[i + 2]) ? 1 : 0;
    }
    return count;
}

Matrix projectionMatrix()
{
    Matrix m{};
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    return m;
}

bool railRed(int r, int g, int b)
{
    return r >= 40 && g < 20 && b < 20;
}

bool ballBlue(int r, int g, int b)
{
    return b >= 60 && b > r + 30 && g > r;
}

}  // namespace

TEST(RideView, PlacesTheModelAndTheBallAtThePhaseBoundaries)
{
    const float spinBefore = 100;  // the turntable value the previous frame stored
    // The ball's radius p ms away from mid-beat.
    const auto pulsed = [](int p) { return 0.8f * (1 + p / 750.0f); };
    const struct {
        std::uint32_t t;
        float z, scale, tilt, turn, progress, ballRadius;
    } cases[] = {
        {0, -50, 1, 0, 50, 0, 0.8f},        // first frame: own size
        {1, -0.001f, 8, 0, 50, 0, 0.8f},    // leaps to the eye at eight times
        {24000, -24.615f, 6.031f, 0, 50, 0, 0.8f},
        {24001, -24.616f, 6.031f, 0, 50, 0, pulsed(187)},  // the ball starts to pulse
        {24188, -24.808f, 6.015f, 0, 50, 0, 0.8f},
        {24375, -25, 6, 0, 50, 0, pulsed(188)},
        {48750, -50, 4, 0, 50, 0, pulsed(188)},  // last laying frame
        {48751, -50, 1, 90.0f / 19250, 180, 1.0f / 19250, pulsed(187)},
        {50000, -50, 1, 5.844f, 180, 0.06494f, pulsed(63)},
        {68000, -50, 1, 90, 180, 1, pulsed(63)},
        {74000, -50, 1, 90, 180, 1, pulsed(63)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        const ModelPlacement placement = modelPlacement(c.t, spinBefore);
        EXPECT_FLOAT_EQ(placement.x, -10);
        EXPECT_FLOAT_EQ(placement.y, -3);
        EXPECT_NEAR(placement.z, c.z, 1e-3f);
        EXPECT_NEAR(placement.scale, c.scale, 1e-3f);
        EXPECT_NEAR(placement.tilt, c.tilt, 1e-3f);
        EXPECT_FLOAT_EQ(placement.turn, c.turn);
        EXPECT_NEAR(rideProgress(c.t), c.progress, 1e-5f);
        EXPECT_NEAR(ballRadiusAt(c.t), c.ballRadius, 1e-4f);
    }
    // The turntable turns 20 degrees a second, one frame late.
    EXPECT_FLOAT_EQ(spinAngleAfter(0), 0);
    EXPECT_FLOAT_EQ(spinAngleAfter(48750) * 0.5f, 975);
}

TEST(RideView, FramesAfterAJumpLayTheSlotTheyFallInAsTheNextPiece)
{
    layEveryBeat(0, 9750);
    rideFrameAt(10000);
    ASSERT_EQ(rideTrack->pieces().size(), 27u);
    rideFrameAt(20000);
    ASSERT_EQ(rideTrack->pieces().size(), 28u);
    EXPECT_EQ(rideTrack->kinds()[27], pieceKindFor(TrackLayout[53]));
    EXPECT_EQ(rideTrack->pieces()[27]->startpos, 27);
}

TEST(RideView, LeavesTheShowsTwoDStateWheneverItDrawsAndNothingAfterwards)
{
    useShowProjection();
    const Matrix showProjection = projectionMatrix();
    for (std::uint32_t t : {0u, 1u, 48750u, 48751u, 68000u, 74000u}) {
        SCOPED_TRACE(t);
        // Whatever the frame before left, the view puts the 2D state back.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glTranslatef(1, 2, 3);
        globaltime = t;
        drawRideView();
        EXPECT_EQ(projectionMatrix(), showProjection);
        EXPECT_EQ(currentModelview(), frameAfter({}));
        EXPECT_EQ(integerState(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
        expectDrawerLeftStateClean();
        EXPECT_FLOAT_EQ(rideTrack->progress, rideProgress(t));
        EXPECT_FLOAT_EQ(rideTrack->ballRadius, ballRadiusAt(t));
    }
    // After its time the view touches nothing: not the state, not the screen.
    useShowProjection();
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_LIGHTING);
    glTranslatef(1, 2, 3);
    const Matrix moved = currentModelview();
    globaltime = 74001;
    drawRideView();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(currentModelview(), moved);
    EXPECT_EQ(rideTrack->progress, 1);
    EXPECT_EQ(pixelsWhere([](int r, int g, int b) { return r + g + b > 0; }), 0);
    glDisable(GL_LIGHTING);
    glLoadIdentity();
}

TEST(RideView, LaysTheWholeLayoutOnTheBeatThenTheBallRidesItUntilItArrives)
{
    rideFrameAt(0);
    rideFrameAt(374);
    EXPECT_EQ(rideTrack->pieces().size(), 1u);
    layEveryBeat(375, 30000);
    EXPECT_GT(pixelsWhere(railRed), 1000) << "rails while laying";
    layEveryBeat(30375, 48375);
    const struct {
        std::uint32_t t;
        bool ball;
    } frames[] = {{48751, true}, {50000, true}, {67999, true}, {68000, false}, {74000, false},
                  {0, true}};  // back at the start the ball waits on the first piece
    for (const auto& frame : frames) {
        SCOPED_TRACE(frame.t);
        rideFrameAt(frame.t);
        EXPECT_GT(pixelsWhere(railRed), 1000);
        EXPECT_EQ(pixelsWhere(ballBlue) > 100, frame.ball);
    }
    // Laying ended for good with the last slot.
    ASSERT_EQ(rideTrack->pieces().size(), 130u);
    for (std::size_t i = 0; i < 130; ++i) {
        EXPECT_EQ(rideTrack->kinds()[i], pieceKindFor(TrackLayout[i])) << i;
    }
    // In the show's own frame the ball is there too, under the snow.
    drawFrameAt(50000);
    EXPECT_GT(pixelsWhere(ballBlue), 100);
}
