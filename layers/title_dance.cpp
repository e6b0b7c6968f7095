// The title screen, fading in and out on white, with the dancing Santa.
#include "layers/title_dance.h"

#include <SDL_opengl.h>

#include "assets/loader.h"
#include "layers/sprites.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {

constexpr std::uint32_t fadeMs = 2000;
constexpr TimeWindow fadeIn{titleDanceWindow.after, titleDanceWindow.after + fadeMs};
constexpr TimeWindow dance{fadeIn.until, titleDanceWindow.until - fadeMs};
constexpr TimeWindow fadeOut{dance.until, titleDanceWindow.until};

// The Santa rocks about a point left of the middle, under the title.
constexpr float santaPivotX = 256;
constexpr float santaPivotY = 512;
// Three quarters of its picture at rest, growing with the beat pulse.
constexpr float santaRestScale = 0.5f * 1.5f;
constexpr float santaShiftPerPulse = 0.25f;

void drawDancingSanta(std::uint32_t t)
{
    glPushMatrix();
    glTranslatef(santaPivotX, santaPivotY, 0);
    glRotatef(santaTiltDegrees(t), 0, 0, 1);
    const float scale = santaScale(t);
    const auto width = static_cast<float>(santaDrawing.width);
    const auto height = static_cast<float>(santaDrawing.height);
    drawTexturedQuad(santaDrawing, santaShift(t) * width, 0, scale * width, scale * height);
    glPopMatrix();
}

}  // namespace

TitleShade titleShade(std::uint32_t t)
{
    TitleShade shade;
    if (fadeIn.contains(t)) {
        shade.drawn = true;
        shade.alpha = static_cast<float>(fadeIn.elapsed(t)) / fadeMs;
    } else if (dance.contains(t)) {
        shade.drawn = true;
        shade.dancing = true;
    } else if (fadeOut.contains(t)) {
        shade.drawn = true;
        shade.alpha = 1 - static_cast<float>(fadeOut.elapsed(t)) / fadeMs;
    }
    return shade;
}

float santaScale(std::uint32_t t)
{
    return santaRestScale * (1 + beatPulse(t));
}

float santaShift(std::uint32_t t)
{
    return santaShiftPerPulse * beatPulse(t);
}

void drawTitleDanceLayer(std::uint32_t t)
{
    const TitleShade shade = titleShade(t);
    if (!shade.drawn) {
        return;
    }
    // The white screen and the title share one colour so that they fade
    // together; while the Santa dances it is opaque white. White at an
    // alpha over the black screen below is that grey.
    fillScreen(shade.alpha, shade.alpha, shade.alpha);
    glColor4f(1, 1, 1, shade.alpha);
    if (shade.dancing) {
        drawDancingSanta(t);
    }
    drawPicture(titleSheet, screenCentreX, screenCentreY);
}
