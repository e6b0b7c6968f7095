// The greetings pages, over the flickering pattern that shows through them.
#include "layers/greetings.h"

#include <SDL_opengl.h>

#include "assets/loader.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"
#include "overlay/timed_card.h"

namespace {

// The heading's own window reaches one millisecond past the section's end,
// so it never quite fades out to nothing.
constexpr std::uint32_t headingBeats = 15;
const TimedCard heading = {{greetingsWindow.after, greetingsWindow.after + beats(headingBeats)}, greetingsHeader};

constexpr std::uint32_t pageCount = 5;
constexpr std::uint32_t pageCycleMs = pageCount * beatMs;
const ImageRef* const pages[pageCount] = {&greetingsPage1, &greetingsPage2, &greetingsPage3, &greetingsPage4,
                                          &greetingsPage5};

}  // namespace

const ImageRef& greetingsPageAt(std::uint32_t t)
{
    return *pages[t % pageCycleMs / beatMs];
}

void drawGreetingsLayer(std::uint32_t t)
{
    drawTimedCard(t, heading);
    // Pages lie over the heading at full strength, never faded.
    glColor3f(1, 1, 1);
    drawPicture(greetingsPageAt(t), screenCentreX, screenCentreY);
}
