// The 8-bit computer starting up and loading the show.
#include "layers/retro_computer.h"

#include <SDL_opengl.h>

#include "assets/loader.h"
#include "layers/sprites.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {

// Six seconds of the blinking cursor, six of the scrolling command, six of
// the logo fading in, then the logo stays and the snowman dances.
constexpr std::uint32_t stepMs = 6000;
constexpr TimeWindow commandScroll{retroComputerWindow.after + stepMs, retroComputerWindow.after + 2 * stepMs};
constexpr TimeWindow logoFade{commandScroll.until, commandScroll.until + stepMs};

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

bool logoShown(std::uint32_t t)
{
    return retroComputerWindow.contains(t) && t > logoFade.until;
}

}  // namespace

const ImageRef& textScreenAt(std::uint32_t sinceStartMs)
{
    return sinceStartMs % twoBeatsMs < cursorOffMs ? basicScreen : basicScreenCursor;
}

std::optional<float> commandLineX(std::uint32_t t)
{
    if (!commandScroll.contains(t)) {
        return std::nullopt;
    }
    return commandStartX - commandTravel * windowProgress(commandScroll, t);
}

std::optional<float> logoAlpha(std::uint32_t t)
{
    if (logoFade.contains(t)) {
        return windowProgress(logoFade, t);
    }
    if (logoShown(t)) {
        return 1.0f;
    }
    return std::nullopt;
}

std::optional<float> snowmanBounce(std::uint32_t t)
{
    if (!logoShown(t)) {
        return std::nullopt;
    }
    return 1 + beatPulse(retroComputerWindow.elapsed(t));
}

void drawRetroComputerLayer(std::uint32_t t)
{
    const std::uint32_t sinceStart = retroComputerWindow.elapsed(t);
    glColor3f(1, 1, 1);
    drawComputerScreen(textScreenAt(sinceStart));
    if (const auto x = commandLineX(t)) {
        drawPicture(loadCommandLine, *x, commandLineY, commandScale);
    }
    if (const auto alpha = logoAlpha(t)) {
        glColor4f(1, 1, 1, *alpha);
        drawComputerScreen(retroLogoScreen);
    }
    if (const auto scale = snowmanBounce(t)) {
        glColor3f(1, 1, 1);
        drawPicture(walkingSnowman(sinceStart), snowmanX, snowmanY, *scale);
    }
}
