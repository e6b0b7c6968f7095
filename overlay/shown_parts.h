// Where on the screen a picture drawn on a flat quad shows, worked out from
// the picture's coverage, so that the same quad can be drawn box by box
// through the scissor: boxes where nothing shows are left out and boxes
// where the picture is opaque need no blending. Every pixel still gets the
// same fragment from the same texture coordinates as when the whole quad is
// drawn, so the frames stay exactly as they were.
#pragma once

#include <vector>

#include "assets/coverage.h"

// The quad as it lands in the window: texture coordinates (s, t) land at
// origin + s * along s + t * along t, in GL window pixels (from the bottom
// left), as a flat projection with any turn, scale or mirror gives.
struct WindowMap {
    double originX, originY;
    double alongSX, alongSY;
    double alongTX, alongTY;
};

// A box of whole window pixels, as glScissor takes it.
struct WindowBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ShownPart {
    WindowBox box;
    Cover cover;  // Partial or Opaque
};

// The boxes, inside clip (the viewport), that between them hold every pixel
// of the quad that can show something: squares of 64 pixels (the software
// renderer's own tiles), each judged by every texel its pixels can sample,
// with a margin for rounding and for the texture repeating at the quad's
// edges, then joined into runs along rows and down columns. They never
// overlap. A quad that lands on no area (a zero scale) gives none.
std::vector<ShownPart> shownParts(const WindowMap& map, const Coverage& coverage, WindowBox clip);
