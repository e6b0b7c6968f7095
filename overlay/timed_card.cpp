#include "overlay/timed_card.h"

#include <SDL_opengl.h>

#include "app/show_clock.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

CardShade cardShade(std::uint32_t duration, std::uint32_t start, std::uint32_t t)
{
    CardShade shade;
    if (t <= start || t > start + duration) {
        return shade;
    }
    shade.drawn = true;
    const std::uint32_t elapsed = t - start;
    if (elapsed - 1 < cardFadeMs) {
        shade.faded = true;
        shade.alpha = static_cast<float>(elapsed / static_cast<double>(cardFadeMs));
    }
    // Signed, so that a card shorter than its two fades still fades out; the
    // fade-out wins where both apply.
    const auto signedElapsed = static_cast<std::int32_t>(elapsed);
    const auto signedDuration = static_cast<std::int32_t>(duration);
    if (signedDuration - static_cast<std::int32_t>(cardFadeMs) < signedElapsed && signedElapsed <= signedDuration) {
        shade.faded = true;
        shade.alpha = static_cast<float>((signedDuration - signedElapsed) / static_cast<double>(cardFadeMs));
    }
    return shade;
}

void drawTimedCard(std::uint32_t duration, std::uint32_t start, ImageRef image)
{
    const CardShade shade = cardShade(duration, start, globaltime);
    if (!shade.drawn) {
        return;
    }
    if (shade.faded) {
        glColor4f(1, 1, 1, shade.alpha);
    } else {
        glColor3f(1, 1, 1);
    }
    drawPicture(image, screenCentreX, screenCentreY);
}
