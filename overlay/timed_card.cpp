#include "overlay/timed_card.h"

#include <SDL_opengl.h>

#include "overlay/primitives.h"
#include "overlay/screen.h"

CardShade cardShade(TimeWindow window, std::uint32_t t)
{
    CardShade shade;
    if (!window.contains(t)) {
        return shade;
    }
    shade.drawn = true;
    const std::uint32_t elapsed = window.elapsed(t);
    if (elapsed - 1 < cardFadeMs) {
        shade.faded = true;
        shade.alpha = static_cast<float>(elapsed / static_cast<double>(cardFadeMs));
    }
    // Signed, so that a card shorter than its two fades still fades out; the
    // fade-out wins where both apply.
    const auto signedElapsed = static_cast<std::int32_t>(elapsed);
    const auto signedLength = static_cast<std::int32_t>(window.length());
    if (signedLength - static_cast<std::int32_t>(cardFadeMs) < signedElapsed && signedElapsed <= signedLength) {
        shade.faded = true;
        shade.alpha = static_cast<float>((signedLength - signedElapsed) / static_cast<double>(cardFadeMs));
    }
    return shade;
}

void drawTimedCard(std::uint32_t t, const TimedCard& card)
{
    const CardShade shade = cardShade(card.window, t);
    if (!shade.drawn) {
        return;
    }
    // Opaque white unless fading.
    glColor4f(1, 1, 1, shade.alpha);
    drawPicture(card.image, screenCentreX, screenCentreY);
}

std::vector<TimedCard> cardsInRow(std::uint32_t first, std::uint32_t cardMs,
                                  std::initializer_list<const ImageRef*> pictures)
{
    std::vector<TimedCard> cards;
    for (const ImageRef* picture : pictures) {
        cards.push_back({{first, first + cardMs}, *picture});
        first += cardMs;
    }
    return cards;
}

void drawTimedCards(std::uint32_t t, const std::vector<TimedCard>& cards)
{
    for (const TimedCard& card : cards) {
        drawTimedCard(t, card);
    }
}
