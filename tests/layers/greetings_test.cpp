// The greetings: the page of each beat and the heading read back from real
// frames, inside the section and at its edges.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/show_clock.h"
#include "assets/loader.h"
#include "gl_window.h"
#include "layers/greetings.h"
#include "overlay/primitives.h"

namespace {

// Screens are stored bottom row first; the heading's lettering lies above
// screen row 150, the pages' below it.
constexpr std::ptrdiff_t pagesBytes = (768 - 150) * 1024 * 3;

std::vector<std::uint8_t> screenWith(std::uint32_t t, const ImageRef* alone = nullptr)
{
    useShowProjection();
    glClear(GL_COLOR_BUFFER_BIT);
    globaltime = t;
    glColor3f(1, 1, 1);
    alone ? drawTexturedQuad(*alone, 512, 384, 1024, 768) : GreetingsLayer();
    return readScreen();
}

}  // namespace

TEST(GreetingsLayer, ShowsThePageOfTheBeatUnderTheHeadingOnlyInsideTheSection)
{
    const struct {
        std::uint32_t t;
        const ImageRef* page;
    } cases[] = {{111000, nullptr},         {111001, &greetingsPage2}, {111374, &greetingsPage2},
                 {111375, &greetingsPage3}, {112500, &greetingsPage1}, {116625, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        const auto screen = screenWith(c.t);
        expectDrawerLeftStateClean();
        const auto page = c.page ? screenWith(c.t, c.page) : std::vector<std::uint8_t>(screen.size());
        EXPECT_TRUE(std::equal(screen.begin(), screen.begin() + pagesBytes, page.begin()));
        if (c.page) {
            EXPECT_EQ(&greetingsPageAt(c.t), c.page);
        }
    }
    // The heading fades in from nothing to full strength; nothing outside.
    const std::vector<std::uint8_t> black(768 * 1024 * 3);
    for (std::uint32_t t : {111000u, 111001u, 116625u}) {
        EXPECT_TRUE(std::equal(black.begin() + pagesBytes, black.end(), screenWith(t).begin() + pagesBytes)) << t;
    }
    const auto heading = screenWith(112500, &greetingsHeader);
    EXPECT_TRUE(std::equal(heading.begin() + pagesBytes, heading.end(), screenWith(112500).begin() + pagesBytes));
}
