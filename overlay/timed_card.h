// Timed cards: one picture in the middle of the screen inside its window,
// fading in over its first second and out over its last. Stateless: a layer
// draws every card of its table every frame.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "assets/texture_store.h"
#include "timeline/beat.h"

constexpr std::uint32_t cardFadeMs = 1000;

struct TimedCard {
    TimeWindow window;
    const ImageRef& image;
};

// Cards of one length, shown one after another from the instant first on,
// in the order of their pictures.
std::vector<TimedCard> cardsInRow(std::uint32_t first, std::uint32_t cardMs,
                                  std::initializer_list<const ImageRef*> pictures);

// How a card is shown at time t: not at all, opaque, or white with an alpha.
struct CardShade {
    bool drawn = false;
    bool faded = false;  // alpha applies; otherwise fully opaque
    float alpha = 1;
};

CardShade cardShade(TimeWindow window, std::uint32_t t);

// The picture at its own size, centred on the screen, at t. Outside its
// window it does nothing, not even set a colour.
void drawTimedCard(std::uint32_t t, const TimedCard& card);

// Every card of a table at t, in table order.
void drawTimedCards(std::uint32_t t, const std::vector<TimedCard>& cards);
