#include "layers/retro_load.h"

#include <SDL_opengl.h>

#include "app/show_clock.h"
#include "assets/loader.h"
#include "layers/heart_chase.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {

// The computer's 384 x 271 screen, border included, stretched to the full
// width of ours (1024 x 722.67), centred: a thin black band stays above
// and below.
constexpr float screenPictureWidthScale = 2.6666665f;
constexpr float screenPictureHeightScale = 2.6666667f;

constexpr std::uint32_t cursorOffMs = 376;

// The load command, blown up from the computer's text font, enters past the
// right edge and leaves past the left one.
constexpr float commandScale = 10;
constexpr float commandLineY = 348;
constexpr float commandStartX = 2048;
constexpr float commandTravel = 4096;

constexpr float snowmanX = 512;
constexpr float snowmanY = 484;

void drawComputerScreen(const ImageRef& picture)
{
    drawTexturedQuad(picture, screenCentreX, screenCentreY,
                     static_cast<float>(picture.width) * screenPictureWidthScale,
                     static_cast<float>(picture.height) * screenPictureHeightScale);
}

}  // namespace

const ImageRef& textScreenAt(std::uint32_t sceneMs)
{
    return sceneMs % twoBeatsMs < cursorOffMs ? basicScreen : basicScreenCursor;
}

std::optional<float> commandLineX(std::uint32_t t)
{
    if (!commandScrollWindow.contains(t)) {
        return std::nullopt;
    }
    return commandStartX - commandTravel * windowProgress(commandScrollWindow, t);
}

std::optional<float> logoAlpha(std::uint32_t t)
{
    if (logoFadeWindow.contains(t)) {
        return windowProgress(logoFadeWindow, t);
    }
    if (retroLoadWindow.contains(t) && t > logoShownAfter) {
        return 1.0f;
    }
    return std::nullopt;
}

std::optional<float> snowmanBounce(std::uint32_t t)
{
    if (!retroLoadWindow.contains(t) || t <= logoShownAfter) {
        return std::nullopt;
    }
    return 1 + beatPulse(retroLoadWindow.elapsed(t));
}

void RetroLoadLayer()
{
    const std::uint32_t t = globaltime;
    if (!retroLoadWindow.contains(t)) {
        return;
    }
    const std::uint32_t sceneMs = retroLoadWindow.elapsed(t);
    glColor3f(1, 1, 1);
    drawComputerScreen(textScreenAt(sceneMs));
    if (const auto x = commandLineX(t)) {
        drawPicture(loadCommandLine, *x, commandLineY, commandScale);
    }
    if (const auto alpha = logoAlpha(t)) {
        glColor4f(1, 1, 1, *alpha);
        drawComputerScreen(retroLogoScreen);
    }
    if (const auto scale = snowmanBounce(t)) {
        glColor3f(1, 1, 1);
        drawPicture(walkingSnowman(sceneMs), snowmanX, snowmanY, *scale);
    }
}
