// The greetings pages, over the flickering pattern that shows through them.
#include "layers/greetings.h"

#include <SDL_opengl.h>

#include "app/show_clock.h"
#include "assets/loader.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"
#include "overlay/timed_card.h"

namespace {


const ImageRef* const pages[greetingsPageCount] = {&greetingsPage1, &greetingsPage2, &greetingsPage3,
                                                   &greetingsPage4, &greetingsPage5};

}  // namespace

const ImageRef& greetingsPageAt(std::uint32_t t)
{
    return *pages[t % greetingsCycleMs / beatMs];
}

void GreetingsLayer()
{
    const std::uint32_t t = globaltime;
    if (!greetingsWindow.contains(t)) {
        return;
    }
    drawTimedCard(greetingsHeadingMs, greetingsHeadingStartMs, greetingsHeader);
    // Pages lie over the heading at full strength, never faded.
    glColor3f(1, 1, 1);
    const ImageRef& page = greetingsPageAt(t);
    drawPicture(page, screenCentreX, screenCentreY);
}
