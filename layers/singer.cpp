// The lip-synced singer: her mouth follows the sung syllables, she pulses
// and spins once the beat takes hold, and fades to black at the end.
#include "layers/singer.h"

#include <SDL_opengl.h>

#include "assets/loader.h"
#include "layers/singer_cues.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {

// The beat takes hold halfway through the verse.
constexpr std::uint32_t beatStartsAfter = 98000;

constexpr float fullTurnDegrees = 360;

constexpr float heartX = 200;
constexpr float heartY = 200;

// The last second fades her to black, one colour step at a time.
constexpr std::uint32_t fadeMs = 1000;
constexpr std::uint32_t fadeAfter = singerWindow.until - fadeMs;
constexpr std::uint32_t fadeSteps = 255;

template <std::size_t count>
bool insideAny(const TimeWindow (&windows)[count], std::uint32_t t)
{
    for (const TimeWindow& window : windows) {
        if (window.contains(t)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool mouthOpenAt(std::uint32_t t)
{
    return insideAny(singerSyllables, t);
}

bool heartShownAt(std::uint32_t t)
{
    return insideAny(singerHeartFlashes, t);
}

float singerSpinDegrees(std::uint32_t t)
{
    for (std::uint32_t start : singerSpinStarts) {
        const TimeWindow spin{start, start + singerSpinMs};
        if (spin.contains(t)) {
            return static_cast<float>(spin.elapsed(t)) * fullTurnDegrees / singerSpinMs;
        }
    }
    return 0;
}

float singerGrowth(std::uint32_t t)
{
    return t > beatStartsAfter ? 1 + beatPulse(t) : 1;
}

float singerBrightness(std::uint32_t t)
{
    if (t <= fadeAfter) {
        return 1;
    }
    // Past the layer's end she stays black rather than wrapping round.
    const std::uint32_t left = t < singerWindow.until ? singerWindow.until - t : 0;
    return static_cast<float>(left * fadeSteps / fadeMs) / fadeSteps;
}

void drawSingerLayer(std::uint32_t t)
{
    const ImageRef face = mouthOpenAt(t) ? singerMouthOpen : singerMouthClosed;
    const float brightness = singerBrightness(t);
    const float growth = singerGrowth(t);
    glPushMatrix();
    glColor3f(brightness, brightness, brightness);
    glTranslatef(screenCentreX, screenCentreY, 0);
    glRotatef(singerSpinDegrees(t), 0, 0, 1);
    // The square photograph is stretched to the 4:3 screen.
    drawTexturedQuad(face, 0, 0, screenWidth * growth, screenHeight * growth);
    glPopMatrix();
    // In screen space, so neither the pulse nor a spin moves the heart.
    if (heartShownAt(t)) {
        glColor3f(1, 1, 1);
        drawPicture(heart, heartX, heartY);
    }
}
