#include "layers/singer.h"

#include <SDL_opengl.h>

#include "app/frame.h"
#include "app/show_clock.h"
#include "app/show_time.h"
#include "assets/loader.h"
#include "layers/singer_syllables.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {


// The beat takes hold halfway through the verse.
constexpr std::uint32_t beatStartsAfter = 98000;

// Three quick spins on the beat after it takes hold.
constexpr std::uint32_t spinStarts[] = {98000, 99500, 101000};
constexpr std::uint32_t spinMs = 500;
constexpr float fullTurnDegrees = 360;

// The heart flashes on two pairs of sung words.
constexpr TimeWindow heartWindows[] = {{88156, 88259}, {88369, 88519}, {100210, 100293}, {100365, 100496}};
constexpr float heartX = 200;
constexpr float heartY = 200;

// The last second fades her to black, one colour step at a time.
constexpr std::uint32_t fadeAfter = 110000;
constexpr std::uint32_t sceneEnd = 111000;
constexpr std::uint32_t fadeMs = sceneEnd - fadeAfter;
constexpr std::uint32_t fadeSteps = 255;

}  // namespace

bool mouthOpenAt(std::uint32_t t)
{
    for (const SyllableWindow& syllable : singerSyllables) {
        if (TimeWindow{syllable.after, syllable.until}.contains(t)) {
            return true;
        }
    }
    return false;
}

bool heartShownAt(std::uint32_t t)
{
    for (const TimeWindow& window : heartWindows) {
        if (window.contains(t)) {
            return true;
        }
    }
    return false;
}

float singerSpinDegrees(std::uint32_t t)
{
    for (std::uint32_t start : spinStarts) {
        const TimeWindow spin{start, start + spinMs};
        if (spin.contains(t)) {
            return static_cast<float>(spin.elapsed(t)) * fullTurnDegrees / spinMs;
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
    // Past the scene's end she stays black rather than wrapping round.
    const std::uint32_t left = t < sceneEnd ? sceneEnd - t : 0;
    return static_cast<float>(left * fadeSteps / fadeMs) / fadeSteps;
}

void SingerLayer()
{
    const std::uint32_t t = globaltime;
    if (!singerWindow.contains(t)) {
        return;
    }
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
