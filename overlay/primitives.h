// The operations all flat drawing of the show rests on: the two flat
// projections, and rectangles centred on a point, textured or plain. Both
// rectangles take the current colour and leave the modelview as they found
// it; the picture's own size never changes the drawn size.
#pragma once

#include <SDL_opengl.h>

#include <vector>

#include "assets/texture_store.h"
#include "overlay/screen.h"

// The show's 2D state, on which every flat layer draws: one unit per pixel
// of the 1024 x 768 screen, x right, y down, origin top left, identity
// modelview, lighting and depth test off. The frame enters it before its
// layers, and the 3D view returns to it when it has drawn.
void useShowProjection();

// Draws the show's 1024 x 768 picture into a window of another size, scaled
// to fit and centred (see showViewportIn); the projections stay the same.
void useShowViewport(int windowWidth, int windowHeight);

// Where a point of the window, as the mouse reports it (pixels, y down),
// lies on the show's screen, in the window that useShowViewport last
// fitted the picture into.
ShowPoint showPointInWindow(int windowX, int windowY);

// Viewport of width x 768 and the splash's projection: like the show's,
// but spanning 0..width-1 by 0..767.
void setOrtho2D(int width);

// The whole picture on a w x h rectangle centred on (x, y), drawn only
// where it shows and unblended where it is opaque (overlay/shown_parts.h),
// the same pixels as the whole rectangle blended. Leaves texture 0 bound,
// which plain rectangles rely on, blending on and the scissor off. Negative
// w or h mirror it.
void drawTexturedQuad(ImageRef image, float x, float y, float w, float h);

// The picture at its own pixel size times scale, centred on (x, y).
void drawPicture(ImageRef image, float x, float y, float scale = 1);

// A plain w x h rectangle centred on (x, y).
void drawQuad(float x, float y, float w, float h);

// The whole viewport in one opaque colour: what a rectangle of that colour
// covering the screen leaves, whatever lay below.
void fillScreen(float red, float green, float blue);

// Plain rectangles in the current colour, drawn together in one call. Each
// covers the pixels drawQuad would where its edges fall on whole pixels
// (elsewhere the rounding of the two ways may differ).
class QuadBatch {
public:
    void add(float x, float y, float w, float h);
    // Draws what was added and empties the batch.
    void draw();

private:
    std::vector<GLfloat> corners_;
};
