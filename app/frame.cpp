#include "app/frame.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include "app/show_clock.h"
#include "assets/loader.h"
#include "layers/emblem_orbit.h"
#include "layers/greetings.h"
#include "layers/heart_chase.h"
#include "layers/retro_banner.h"
#include "layers/retro_load.h"
#include "layers/singer.h"
#include "layers/snow.h"
#include "layers/title_dance.h"
#include "layers/xor_pattern.h"
#include "overlay/primitives.h"
#include "overlay/timed_card.h"
#include "track/ride_view.h"

namespace {

struct Card {
    std::uint32_t start;
    std::uint32_t duration;
    const ImageRef& image;
};

constexpr std::uint32_t openingCardMs = 6000;
constexpr std::uint32_t creditsCardMs = 3000;
constexpr std::uint32_t closingCardMs = 120000;

// The opening titles, one after another from the first millisecond.
const Card openingCards[] = {
    {0, openingCardMs, introLine1},      {6000, openingCardMs, introLine2},
    {12000, openingCardMs, introLine3},  {18000, openingCardMs, introLine4},
    {24000, openingCardMs, asideLine1},  {30000, openingCardMs, asideLine2},
    {36000, openingCardMs, asideSnowLine},
};

// The closing card first, then the credits; their windows do not overlap.
const Card closingCards[] = {
    {198500, closingCardMs, emblemSlogan},     {183500, creditsCardMs, creditCode},
    {186500, creditsCardMs, creditMusic},      {189500, creditsCardMs, creditGraphics1},
    {192500, creditsCardMs, creditPhotoDesign}, {195500, creditsCardMs, creditGraphics2},
};

// The caption's centre is the middle of the bottom edge: only its upper half
// is on screen, over rows 256 to 767.
constexpr float captionX = 512;
constexpr float captionY = 768;

template <std::size_t count>
void drawCards(const Card (&cards)[count])
{
    for (const Card& card : cards) {
        drawTimedCard(card.duration, card.start, card.image);
    }
}

}  // namespace

bool handOverCaptionShown(std::uint32_t t)
{
    // The remainder is of t itself, which puts the flashes on the beat's
    // second half: 81939-82124, 82314-82499, 82689-82874.
    return handOverBlinkWindow.contains(t) && t % beatMs > midBeatMs;
}

void drawFrame()
{
    const std::uint32_t t = globaltime;
    glClear(GL_COLOR_BUFFER_BIT);
    glClear(GL_DEPTH_BUFFER_BIT);
    drawRideView();
    TitleDanceLayer();
    glColor3f(1, 1, 1);
    drawCards(openingCards);
    if (handOverCaptionShown(t)) {
        glColor3f(1, 1, 1);
        drawPicture(handoverCard, captionX, captionY);
    }
    EmblemOrbitLayer();
    if (singerWindow.contains(t)) {
        SingerLayer();
    }
    if (snowWindow.contains(t)) {
        SnowLayer();
    }
    if (xorPatternWindow.contains(t)) {
        XorPatternLayer();
    }
    GreetingsLayer();
    HeartChaseLayer();
    RetroLoadLayer();
    RetroBannerLayer();
    drawCards(closingCards);
}

void renderFrame()
{
    drawFrame();
    SDL_GL_SwapBuffers();
}
