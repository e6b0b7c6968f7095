// The retro banner dropping through the screen.
#include "layers/retro_banner.h"

#include <SDL_opengl.h>

#include "assets/loader.h"
#include "overlay/primitives.h"

namespace {

// A second to drop in, two at rest, and a second to drop out, which runs on
// one millisecond past the layer's window.
constexpr std::uint32_t dropMs = 1000;
constexpr std::uint32_t restMs = 2000;
constexpr TimeWindow dropIn{retroBannerWindow.after, retroBannerWindow.after + dropMs};
constexpr TimeWindow dropOut{dropIn.until + restMs, dropIn.until + restMs + dropMs};

constexpr float restX = 512;
constexpr float restY = 384;

}  // namespace

float bannerCentreY(std::uint32_t t, float sheetHeight)
{
    // Each move covers the sheet's height plus half the screen's.
    const float drop = restY + sheetHeight;
    if (dropIn.contains(t)) {
        return drop * windowProgress(dropIn, t) - sheetHeight;
    }
    if (dropOut.contains(t)) {
        return restY + drop * windowProgress(dropOut, t);
    }
    return restY;
}

void drawRetroBannerLayer(std::uint32_t t)
{
    const auto width = static_cast<float>(retroCaption.width);
    const auto height = static_cast<float>(retroCaption.height);
    glColor3f(1, 1, 1);
    drawTexturedQuad(retroCaption, restX, bannerCentreY(t, height), width, height);
}
