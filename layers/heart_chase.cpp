// The heart chase, three passes across the screen.
#include "layers/heart_chase.h"

#include <SDL_opengl.h>

#include "assets/loader.h"
#include "layers/sprites.h"
#include "overlay/primitives.h"

namespace {

// The three passes share the layer's window; the last pass runs on one
// millisecond past it, so its final frame falls just short of the end.
constexpr std::uint32_t passMs = 12125;
constexpr TimeWindow topPass{heartChaseWindow.after, heartChaseWindow.after + passMs};
constexpr TimeWindow whitePass{topPass.until, topPass.until + passMs};
constexpr TimeWindow bottomPass{whitePass.until, whitePass.until + passMs};

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
    if (topPass.contains(t)) {
        at.pass = ChasePass::Top;
        at.heartX = rightOffScreenX - passTravel * windowProgress(topPass, t);
        at.companionX = at.heartX + pursuitGap;
        at.y = topLineY;
    } else if (whitePass.contains(t)) {
        at.pass = ChasePass::White;
        at.heartX = leftOffScreenX + passTravel * windowProgress(whitePass, t);
        at.companionX = at.heartX - pursuitGap;
        at.y = middleLineY;
    } else {
        // The snowman leads now and the heart follows him.
        at.pass = ChasePass::Bottom;
        at.companionX = rightOffScreenX - passTravel * windowProgress(bottomPass, t);
        at.heartX = at.companionX + pursuitGap;
        at.y = bottomLineY;
    }
    return at;
}

void drawHeartChaseLayer(std::uint32_t t)
{
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
        fillScreen(1, 1, 1);
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
