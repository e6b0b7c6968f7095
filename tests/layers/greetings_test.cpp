// The greetings: the page of each beat and the heading read back from real
// frames, inside the section and at its edges.
#include <gtest/gtest.h>

#include <algorithm>

#include "assets/loader.h"
#include "gl_window.h"
#include "layers/greetings.h"
#include "overlay/primitives.h"

namespace {

// Screens are stored bottom row first; the heading's lettering lies above
// screen row 150, the pages' below it.
constexpr std::ptrdiff_t pagesBytes = (screenHeight - 150) * screenWidth * 3;

// The picture over the whole screen, as the section draws its pages.
std::vector<std::uint8_t> fullScreen(const ImageRef& picture)
{
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    drawTexturedQuad(picture, screenCentreX, screenCentreY, screenWidth, screenHeight);
    return readScreen();
}

}  // namespace

TEST(GreetingsLayer, ShowsThePageOfTheBeatUnderTheHeadingOnlyInsideTheSection)
{
    // Outside the section the whole screen stays black.
    const std::vector<std::uint8_t> black(screenRgbBytes);
    const struct {
        std::uint32_t t;
        const ImageRef* page;
    } cases[] = {{111000, nullptr},         {111001, &greetingsPage2}, {111374, &greetingsPage2},
                 {111375, &greetingsPage3}, {112500, &greetingsPage1}, {116625, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        const auto screen = drawLayerAlone(Layer::Greetings, c.t);
        const auto page = c.page ? fullScreen(*c.page) : black;
        EXPECT_TRUE(std::equal(screen.begin(), c.page ? screen.begin() + pagesBytes : screen.end(), page.begin()));
    }
    // The heading fades in from nothing to full strength.
    const auto fadingIn = drawLayerAlone(Layer::Greetings, 111001);
    EXPECT_TRUE(std::equal(black.begin() + pagesBytes, black.end(), fadingIn.begin() + pagesBytes));
    const auto full = drawLayerAlone(Layer::Greetings, 112500);
    const auto heading = fullScreen(greetingsHeader);
    EXPECT_TRUE(std::equal(heading.begin() + pagesBytes, heading.end(), full.begin() + pagesBytes));
}
