// The closing card, which fades in after the credits and out two minutes
// later, after which the screen stays black while the song plays on.
#include "layers/closing_card.h"

#include "assets/loader.h"
#include "overlay/timed_card.h"

namespace {

const TimedCard closing = {closingCardWindow, emblemSlogan};

}  // namespace

void drawClosingCardLayer(std::uint32_t t)
{
    drawTimedCard(t, closing);
}
