// The opening titles: who presents what, then an aside that something is
// missing from the ride, until the snow arrives with the last card.
#include "layers/opening_titles.h"

#include "assets/loader.h"
#include "overlay/timed_card.h"

namespace {

constexpr std::uint32_t cardCount = 7;
constexpr std::uint32_t cardMs = beats(16);
static_assert(cardCount * cardMs == openingTitlesWindow.length(), "the cards fill the window");

const std::vector<TimedCard> titles =
    cardsInRow(openingTitlesWindow.after, cardMs,
               {&introLine1, &introLine2, &introLine3, &introLine4, &asideLine1, &asideLine2, &asideSnowLine});

}  // namespace

void drawOpeningTitlesLayer(std::uint32_t t)
{
    drawTimedCards(t, titles);
}
