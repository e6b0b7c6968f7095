#include "layers/heart_chase.h"

#include <SDL_opengl.h>

#include "app/show_clock.h"
#include "assets/loader.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {

// Each pass carries its leader 2048 px, from 512 px beyond one edge of the
// screen to 512 px beyond the other, so both figures are off screen
// whenever one pass hands over to the next.
constexpr float passTravel = 2048;
constexpr float rightOffScreenX = 1536;
constexpr float leftOffScreenX = rightOffScreenX - passTravel;
constexpr float pursuitGap = 256;

constexpr float topLineY = 128;
constexpr float middleLineY = 384;
constexpr float bottomLineY = 640;


// Santa's drawing is large; he runs at a quarter of it.
constexpr float santaScale = 0.25f;

// The waddle: leaning one way, upright, leaning the other way, upright.
struct WalkStep {
    std::uint32_t before;  // the step lasts until this millisecond of the cycle
    const ImageRef* picture;
};
constexpr std::uint32_t walkCycleMs = twoBeatsMs;
const WalkStep walkCycle[] = {
    {188, &snowman2},
    {376, &snowman3},
    {563, &snowman1},
    {walkCycleMs, &snowman3},
};

void drawRockingSanta(float x, float y, float tiltDegrees)
{
    glPushMatrix();
    glTranslatef(x, y, 0);
    glRotatef(tiltDegrees, 0, 0, 1);
    drawPicture(santaDrawing, 0, 0, santaScale);
    glPopMatrix();
}

}  // namespace

ChasePositions chasePositionsAt(std::uint32_t t)
{
    ChasePositions at;
    if (!heartChaseWindow.contains(t)) {
        return at;
    }
    if (topPassWindow.contains(t)) {
        at.pass = ChasePass::Top;
        at.heartX = rightOffScreenX - passTravel * windowProgress(topPassWindow, t);
        at.companionX = at.heartX + pursuitGap;
        at.y = topLineY;
    } else if (whitePassWindow.contains(t)) {
        at.pass = ChasePass::White;
        at.heartX = leftOffScreenX + passTravel * windowProgress(whitePassWindow, t);
        at.companionX = at.heartX - pursuitGap;
        at.y = middleLineY;
    } else {
        // The snowman leads now and the heart follows him.
        at.pass = ChasePass::Bottom;
        at.companionX = rightOffScreenX - passTravel * windowProgress(bottomPassWindow, t);
        at.heartX = at.companionX + pursuitGap;
        at.y = bottomLineY;
    }
    return at;
}

const ImageRef& walkingSnowman(std::uint32_t walkMs)
{
    const std::uint32_t intoCycle = walkMs % walkCycleMs;
    for (const WalkStep& step : walkCycle) {
        if (intoCycle < step.before) {
            return *step.picture;
        }
    }
    return *walkCycle[0].picture;
}

void HeartChaseLayer()
{
    const std::uint32_t t = globaltime;
    const ChasePositions at = chasePositionsAt(t);
    if (at.pass == ChasePass::None) {
        return;
    }
    const ImageRef& snowman = walkingSnowman(heartChaseWindow.elapsed(t));
    glColor3f(1, 1, 1);
    switch (at.pass) {
    case ChasePass::Top:
        drawPicture(heart, at.heartX, at.y);
        drawPicture(snowman, at.companionX, at.y);
        break;
    case ChasePass::White:
        drawQuad(screenCentreX, screenCentreY, screenWidth, screenHeight);
        drawPicture(heart, at.heartX, at.y);
        drawRockingSanta(at.companionX, at.y, santaTiltDegrees(t));
        break;
    case ChasePass::Bottom:
        drawPicture(snowman, at.companionX, at.y);
        drawPicture(heart, at.heartX, at.y);
        break;
    case ChasePass::None:
        break;
    }
}
