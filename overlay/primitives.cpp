#include "overlay/primitives.h"

#include "overlay/screen.h"

namespace {

// x right and y down from the top-left corner to (right, bottom), with an
// identity modelview.
void projectFlat(double right, double bottom)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, right, bottom, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Maps the unit square -1..1 onto a w x h rectangle around (x, y).
void placeUnitSquare(float x, float y, float w, float h)
{
    glTranslatef(x, y, 0);
    glScalef(0.5f * w, 0.5f * h, 1);
}

}  // namespace

void useShowProjection()
{
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    projectFlat(screenWidth, screenHeight);
}

void useShowViewport(int windowWidth, int windowHeight)
{
    const ShowViewport viewport = showViewportIn(windowWidth, windowHeight);
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
}

void setOrtho2D(int width)
{
    glViewport(0, 0, width, screenHeight);
    projectFlat(width - 1, screenHeight - 1);
}

void drawTexturedQuad(ImageRef image, float x, float y, float w, float h)
{
    glPushMatrix();
    placeUnitSquare(x, y, w, h);
    glBindTexture(GL_TEXTURE_2D, textureStore.textures[static_cast<std::size_t>(image.textureIndex)]);
    // y grows downwards, so (-1, -1) is the top-left corner and t = 0 the
    // picture's top row: pictures appear upright.
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}

void drawPicture(ImageRef image, float x, float y, float scale)
{
    drawTexturedQuad(image, x, y, scale * static_cast<float>(image.width), scale * static_cast<float>(image.height));
}

void drawQuad(float x, float y, float w, float h)
{
    glPushMatrix();
    placeUnitSquare(x, y, w, h);
    glBegin(GL_QUADS);
    glVertex2f(-1, -1);
    glVertex2f(-1, 1);
    glVertex2f(1, 1);
    glVertex2f(1, -1);
    glEnd();
    glPopMatrix();
}
