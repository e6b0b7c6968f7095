// The ride view. Laying keeps state, so each test lays its own track from
// the first beat.
#include <gtest/gtest.h>

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

// One frame at the start of every laying slot from time from up to time to.
void layEveryBeat(std::uint32_t from, std::uint32_t to, ShowState& state)
{
    for (std::uint32_t slotStart = from; slotStart <= to; slotStart += beatMs) {
        rideFrameAt(slotStart, state);
    }
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
    RideState ride;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        const ModelPlacement placement = modelPlacement(c.t, spinBefore);
        EXPECT_FLOAT_EQ(placement.x, -10);
        EXPECT_FLOAT_EQ(placement.y, -3);
        EXPECT_NEAR(placement.z, c.z, 1e-3f);
        EXPECT_NEAR(placement.scale, c.scale, 1e-3f);
        EXPECT_NEAR(placement.tilt, c.tilt, 1e-3f);
        EXPECT_FLOAT_EQ(placement.turn, c.turn);
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
        EXPECT_NEAR(ride.track.progress, c.progress, 1e-5f);
        EXPECT_NEAR(ride.track.ballRadius, c.ballRadius, 1e-4f);
    }
    // The turntable turns 20 degrees a second, one frame late.
    EXPECT_FLOAT_EQ(spinAngleAfter(48750), 1950);
}

TEST(RideView, FramesAfterAJumpLayTheSlotTheyFallInAsTheNextPiece)
{
    ShowState state;
    layEveryBeat(0, 9750, state);
    rideFrameAt(10000, state);
    const Track& track = state.ride.track;
    ASSERT_EQ(track.pieces().size(), 27u);
    rideFrameAt(20000, state);
    ASSERT_EQ(track.pieces().size(), 28u);
    EXPECT_EQ(track.kinds()[27], pieceKindFor(TrackLayout[53]));
    EXPECT_EQ(track.pieces()[27]->startpos, 27);
    // A fresh state is the show before its first frame again.
    state.reset(1);
    rideFrameAt(beatMs, state);
    ASSERT_EQ(track.pieces().size(), 1u);
    EXPECT_EQ(track.kinds()[0], pieceKindFor(TrackLayout[1]));
}

TEST(RideView, LaysTheWholeLayoutOnTheBeatThenTheBallRidesItUntilItArrives)
{
    ShowState state;
    rideFrameAt(0, state);
    rideFrameAt(beatMs - 1, state);
    EXPECT_EQ(state.ride.track.pieces().size(), 1u);
    layEveryBeat(beatMs, layingMs - beatMs, state);
    const struct {
        std::uint32_t t;
        bool rails, ball;
    } frames[] = {{layingMs - beatMs, true, true},  // still laying: the last slot again
                  {50000, true, true}, {67999, true, true}, {68000, true, false}, {74000, true, false},
                  {74001, false, false},  // nothing at all after its time
                  {0, true, true}};       // back at the start the ball waits on the first piece
    for (const auto& frame : frames) {
        SCOPED_TRACE(frame.t);
        rideFrameAt(frame.t, state);
        EXPECT_EQ(pixelsWhere(railRed) > railsSeen, frame.rails);
        EXPECT_EQ(pixelsWhere(ballBlue) > ballSeen, frame.ball);
    }
    // Laying ended for good with the last slot, whatever frames came after.
    EXPECT_EQ(state.ride.track.pieces().size(), std::size(TrackLayout) - 1);
    // In the show's own frame the ball is there too, under the snow.
    drawFrameAt(50000, state);
    EXPECT_GT(pixelsWhere(ballBlue), ballSeen);
}
