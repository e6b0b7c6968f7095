#include "layers/retro_banner.h"

#include <SDL_opengl.h>

#include "app/show_clock.h"
#include "assets/loader.h"
#include "layers/heart_chase.h"
#include "overlay/primitives.h"

namespace {

constexpr float restX = 512;
constexpr float restY = 384;

}  // namespace

float bannerCentreY(std::uint32_t t, float sheetHeight)
{
    // Each move covers the sheet's height plus half the screen's.
    const float drop = restY + sheetHeight;
    if (bannerDropInWindow.contains(t)) {
        return drop * windowProgress(bannerDropInWindow, t) - sheetHeight;
    }
    if (bannerDropOutWindow.contains(t)) {
        return restY + drop * windowProgress(bannerDropOutWindow, t);
    }
    return restY;
}

void RetroBannerLayer()
{
    const std::uint32_t t = globaltime;
    if (!retroBannerWindow.contains(t)) {
        return;
    }
    const auto width = static_cast<float>(retroCaption.width);
    const auto height = static_cast<float>(retroCaption.height);
    glColor3f(1, 1, 1);
    drawTexturedQuad(retroCaption, restX, bannerCentreY(t, height), width, height);
}
