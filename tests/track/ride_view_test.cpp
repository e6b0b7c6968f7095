// The ride view: the model's placement and the ball at the phase
// boundaries, the laying on the beat (also when frames come late), and the
// rails and ball read back from real frames.
#include <gtest/gtest.h>

#include <memory>

#include "gl_window.h"
#include "overlay/primitives.h"
#include "ride_geometry.h"
#include "track/ride_view.h"
#include "track/track.h"

namespace {

// The view alone on a cleared screen at time t, as the frame draws it.
void rideFrameAt(std::uint32_t t, ShowState& state)
{
    drawLayerAlone(Layer::Ride, t, state);
}

const auto railRed = [](int r, int g, int b) { return r >= 40 && g < 20 && b < 20; };
const auto ballBlue = [](int r, int g, int b) { return b >= 60 && b > r + 30 && g > r; };

int pixelsWhere(bool (*colour)(int r, int g, int b))
{
    const auto screen = readScreen();
    int count = 0;
    for (std::size_t i = 0; i + 2 < screen.size(); i += 3) {
        count += colour(screen[i], screen[i + 1], screen[i + 2]) ? 1 : 0;
    }
    return count;
}

// Enough pixels of a colour that the rails, or the ball, are surely there.
constexpr int railsSeen = 1000;
constexpr int ballSeen = 100;

}  // namespace

TEST(RideView, PlacesTheModelAndLeavesTheShowsTwoDStateAtThePhaseBoundaries)
{
    const float spinBefore = 100;  // the turntable value the previous frame stored
    // The ball's radius p ms away from mid-beat.
    const auto pulsed = [](int p) { return baseBallRadius * (1 + p / static_cast<float>(twoBeatsMs)); };
    const struct {
        std::uint32_t t;
        float z, scale, tilt, turn, progress, ballRadius;
    } cases[] = {
        {0, -50, 1, 0, 50, 0, baseBallRadius},      // first frame: own size
        {1, -0.001f, 8, 0, 50, 0, baseBallRadius},  // leaps to the eye at eight times
        {24000, -24.615f, 6.031f, 0, 50, 0, baseBallRadius},
        {24001, -24.616f, 6.031f, 0, 50, 0, pulsed(187)},  // the ball starts to pulse
        {24188, -24.808f, 6.015f, 0, 50, 0, baseBallRadius},
        {48750, -50, 4, 0, 50, 0, pulsed(188)},  // last laying frame
        {48751, -50, 1, 90.0f / 19250, 180, 1.0f / 19250, pulsed(187)},
        {50000, -50, 1, 5.844f, 180, 0.06494f, pulsed(63)},
        {68000, -50, 1, 90, 180, 1, pulsed(63)},
        {74000, -50, 1, 90, 180, 1, pulsed(63)},
    };
    useShowProjection();
    const Matrix showProjection = currentMatrix(GL_PROJECTION_MATRIX);
    const RideState ride;
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
        // Whatever the frame before left, the view puts the 2D state back.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glTranslatef(1, 2, 3);
        drawRideView(c.t, ride);
        EXPECT_EQ(currentMatrix(GL_PROJECTION_MATRIX), showProjection);
        EXPECT_EQ(currentMatrix(), frameAfter({}));
        EXPECT_EQ(integerState(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
        expectDrawerLeftStateClean();
    }
    // The turntable turns 20 degrees a second, one frame late.
    EXPECT_FLOAT_EQ(spinAngleAfter(48750), 1950);
    RideState turning;
    advanceRideView(1000, turning);
    advanceRideView(1015, turning);
    EXPECT_FLOAT_EQ(turning.spinAngle, spinAngleAfter(1000));
    EXPECT_FLOAT_EQ(turning.nextSpinAngle, spinAngleAfter(1015));
}

TEST(RideView, LaysAPieceOnEveryBeatSlotTheClockHasPassedWhateverTheFrameRate)
{
    const struct {
        std::uint32_t t;
        int laid;
    } cases[] = {{0, 1}, {beatMs - 1, 1}, {beatMs, 2}, {10000, 27}, {layingMs - beatMs - 1, 129},
                 {layingMs - beatMs, 130}, {layingMs, 130}, {rideWindow.until, 130}};
    for (const auto& c : cases) {
        EXPECT_EQ(piecesLaidAt(c.t), c.laid) << c.t;
    }
    // A stalled machine: no frame from 8 s to 15 s, nineteen beats, then on
    // as before. From the second frame after the gap (the first turns the
    // turntable by the angle the frame before left, at 8 s) every frame is
    // the one a frame every 100 ms shows, the gap's rails included.
    const auto straight = std::make_unique<ShowState>(), stalled = std::make_unique<ShowState>();
    for (std::uint32_t t = 0; t <= 20000; t += 100) {
        const auto expected = drawLayerAlone(Layer::Ride, t, *straight);
        if (t <= 8000 || t >= 15000) {
            const auto shown = drawLayerAlone(Layer::Ride, t, *stalled);
            if (t != 15000) {
                ASSERT_EQ(differingRows(shown, expected), noRows) << t;
            }
        }
    }
}

TEST(RideView, LaysTheWholeLayoutOnTheBeatThenTheBallRidesItUntilItArrives)
{
    // A frame a beat, so that the turntable turns as it does in the show.
    ShowState state;
    for (std::uint32_t t = 0; t < layingMs - beatMs; t += beatMs) {
        rideFrameAt(t, state);
    }
    const struct {
        std::uint32_t t;
        bool rails, ball;
    } frames[] = {{layingMs - beatMs, true, true}, {50000, true, true}, {67999, true, true},
                  {68000, true, false}, {74000, true, false},
                  {74001, false, false}};  // nothing at all after its time
    for (const auto& frame : frames) {
        SCOPED_TRACE(frame.t);
        rideFrameAt(frame.t, state);
        EXPECT_EQ(pixelsWhere(railRed) > railsSeen, frame.rails);
        EXPECT_EQ(pixelsWhere(ballBlue) > ballSeen, frame.ball);
    }
    // In the show's own frame the ball is there too, under the snow.
    drawFrameAt(50000, state);
    EXPECT_GT(pixelsWhere(ballBlue), ballSeen);
}
