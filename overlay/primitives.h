// The three operations all flat drawing of the show rests on: the splash
// projection, and rectangles centred on a point, textured or plain. Both
// rectangles take the current colour and leave the modelview as they found
// it; the picture's own size never changes the drawn size.
#pragma once

#include "assets/texture_store.h"

// Viewport of width x 768 and the splash-time projection: x right, y down,
// origin top left, spanning 0..width-1 by 0..767; identity modelview.
void setOrtho2D(int width);

// The whole picture on a w x h rectangle centred on (x, y). Leaves texture 0
// bound, which plain rectangles rely on. Negative w or h mirror it.
void drawTexturedQuad(ImageRef image, float x, float y, float w, float h);

// The picture at its own pixel size times scale, centred on (x, y).
void drawPicture(ImageRef image, float x, float y, float scale = 1);

// A plain w x h rectangle centred on (x, y).
void drawQuad(float x, float y, float w, float h);
