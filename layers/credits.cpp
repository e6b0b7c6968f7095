// The credits after the 8-bit computer: who made the code, the music, the
// graphics and the photographs, a card each.
#include "layers/credits.h"

#include "assets/loader.h"
#include "overlay/timed_card.h"

namespace {

constexpr std::uint32_t cardCount = 5;
constexpr std::uint32_t cardMs = 3000;
static_assert(cardCount * cardMs == creditsWindow.length(), "the cards fill the window");

const std::vector<TimedCard> credits = cardsInRow(
    creditsWindow.after, cardMs, {&creditCode, &creditMusic, &creditGraphics1, &creditPhotoDesign, &creditGraphics2});

}  // namespace

void drawCreditsLayer(std::uint32_t t)
{
    drawTimedCards(t, credits);
}
