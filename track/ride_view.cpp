#include "track/ride_view.h"

#include <SDL_opengl.h>

#include <algorithm>

#include "overlay/primitives.h"

static_assert(sizeof(TrackLayout) - 1 == layoutLength, "one laying slot per layout character");

namespace {

// The eye's lens.
constexpr double fieldOfView = 45;
constexpr double aspectRatio = 1.3333333333333;
constexpr double nearPlane = 0.1;
constexpr double farPlane = 400;

// The model stands to the left of and below the line of sight, 50 deep.
constexpr float modelX = -10;
constexpr float modelY = -3;
constexpr float modelDepth = -50;
// While laid it shrinks from eight to four times its size as it recedes.
constexpr float growthBase = 2;
constexpr float growthFactor = 4;
constexpr float ownSize = 1;

// During the ride it tilts until seen from above, turned to face the eye.
constexpr float fullTilt = 90;
constexpr float rideTurn = 180;
// The turntable turns by half the stored value: 20 degrees a second.
constexpr float turntableShare = 0.5f;
constexpr std::uint32_t spinStepMs = 5;
constexpr float spinPerStep = 0.2f;

constexpr std::uint32_t rideMs = ballArrivesMs - layingMs;

// The whole layout, laid once: a frame draws as much of it as is laid by
// then. Its pieces hold GLU quadrics, which live as long as the program.
const Track& wholeTrack()
{
    static const Track track(TrackLayout);
    return track;
}

void lookThroughLens()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, aspectRatio, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void placeModel(const ModelPlacement& placement)
{
    glTranslatef(placement.x, placement.y, placement.z);
    glScalef(placement.scale, placement.scale, placement.scale);
    glRotatef(placement.tilt, 1, 0, 0);
    glRotatef(placement.turn, 0, 1, 0);
}

bool ridePhase(std::uint32_t t)
{
    return t > layingMs;
}

// Milliseconds the ball has rolled, as a float.
float rolledMs(std::uint32_t t)
{
    return static_cast<float>(std::min(t, ballArrivesMs) - layingMs);
}

}  // namespace

int piecesLaidAt(std::uint32_t t)
{
    return static_cast<int>(std::min<std::uint32_t>(t / beatMs + 1, layoutLength));
}

ModelPlacement modelPlacement(std::uint32_t t, float spinAngle)
{
    if (ridePhase(t)) {
        return {modelX, modelY, modelDepth, ownSize, rolledMs(t) * fullTilt / static_cast<float>(rideMs),
                rideTurn};
    }
    const float turntable = spinAngle * turntableShare;
    if (t == 0) {
        return {modelX, modelY, modelDepth, ownSize, 0, turntable};
    }
    const float d = static_cast<float>(t) / static_cast<float>(layingMs);
    return {modelX, modelY, d * modelDepth, (growthBase - d) * growthFactor, 0, turntable};
}

float spinAngleAfter(std::uint32_t t)
{
    return static_cast<float>(t / spinStepMs) * spinPerStep;
}

float rideProgress(std::uint32_t t)
{
    return ridePhase(t) ? rolledMs(t) / static_cast<float>(rideMs) : 0;
}

float ballRadiusAt(std::uint32_t t)
{
    if (t <= pulseFromMs) {
        return baseBallRadius;
    }
    return (beatPulse(t) + 1) * baseBallRadius;
}

void drawRideView(std::uint32_t t, const RideState& ride)
{
    lookThroughLens();
    placeModel(modelPlacement(t, ride.spinAngle));
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    // Rails and ball are opaque: blending them would change nothing.
    glDisable(GL_BLEND);
    wholeTrack().drawLaid(static_cast<std::size_t>(piecesLaidAt(t)), rideProgress(t), ballRadiusAt(t));
    glEnable(GL_BLEND);
    useShowProjection();
}

void advanceRideView(std::uint32_t t, RideState& ride)
{
    ride.spinAngle = ride.nextSpinAngle;
    ride.nextSpinAngle = spinAngleAfter(t);
}
