#include "overlay/primitives.h"

#include <optional>

#include "overlay/screen.h"
#include "overlay/shown_parts.h"

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

// The unit square, its texture's top row at the top (y grows downwards, so
// (-1, -1) is the top-left corner and t = 0 the picture's top row).
void texturedUnitSquare()
{
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
}

void unitSquare()
{
    glBegin(GL_QUADS);
    glVertex2f(-1, -1);
    glVertex2f(-1, 1);
    glVertex2f(1, 1);
    glVertex2f(1, -1);
    glEnd();
}

// Where the unit square's texture coordinates land in the window under the
// current matrices and viewport; nothing unless the projection is flat.
std::optional<WindowMap> unitSquareInWindow(const GLint (&viewport)[4])
{
    GLfloat modelview[16];
    GLfloat projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // Rows x, y and w of projection * modelview, for the columns that a point
    // (u, v, 0, 1) meets; matrices are stored column by column.
    double rows[3][3];
    const int projectionRows[3] = {0, 1, 3};
    const int modelviewColumns[3] = {0, 1, 3};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += static_cast<double>(projection[k * 4 + projectionRows[r]]) *
                       modelview[modelviewColumns[c] * 4 + k];
            }
            rows[r][c] = sum;
        }
    }
    if (rows[2][0] != 0 || rows[2][1] != 0 || rows[2][2] != 1) {
        return std::nullopt;
    }
    const auto windowX = [&](double u, double v) {
        return viewport[0] + (rows[0][0] * u + rows[0][1] * v + rows[0][2] + 1) * 0.5 * viewport[2];
    };
    const auto windowY = [&](double u, double v) {
        return viewport[1] + (rows[1][0] * u + rows[1][1] * v + rows[1][2] + 1) * 0.5 * viewport[3];
    };
    // (s, t) = (0, 0) at (-1, -1), s runs along u and t along v.
    const double x = windowX(-1, -1);
    const double y = windowY(-1, -1);
    return WindowMap{x, y, windowX(1, -1) - x, windowY(1, -1) - y, windowX(-1, 1) - x, windowY(-1, 1) - y};
}

bool opaqueColour()
{
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    return colour[3] >= 1;
}

// The square with the bound texture, drawn only where its picture shows,
// and without blending where it is opaque under an opaque colour.
void drawWhereShown(const Coverage& coverage)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const std::optional<WindowMap> map = unitSquareInWindow(viewport);
    // Leaving out transparent parts is only the same picture when blending.
    if (!map || !glIsEnabled(GL_BLEND) || !coverage.known()) {
        texturedUnitSquare();
        return;
    }
    const bool opaque = opaqueColour();
    glEnable(GL_SCISSOR_TEST);
    for (const ShownPart& part : shownParts(*map, coverage, {viewport[0], viewport[1], viewport[2], viewport[3]})) {
        // Blending opaque fragments changes nothing.
        if (opaque && part.cover == Cover::Opaque) {
            glDisable(GL_BLEND);
        } else {
            glEnable(GL_BLEND);
        }
        glScissor(part.box.x, part.box.y, part.box.width, part.box.height);
        texturedUnitSquare();
    }
    glEnable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
}

}  // namespace

void useShowProjection()
{
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    projectFlat(screenWidth, screenHeight);
}

namespace {

// The window the picture was last fitted into: the mouse reports points of it.
WindowSize fittedWindow;

}  // namespace

void useShowViewport(int windowWidth, int windowHeight)
{
    const ShowViewport viewport = showViewportIn(windowWidth, windowHeight);
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    fittedWindow = {windowWidth, windowHeight};
}

ShowPoint showPointInWindow(int windowX, int windowY)
{
    return showPointAt(windowX, windowY, fittedWindow.width, fittedWindow.height);
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
    const auto index = static_cast<std::size_t>(image.textureIndex);
    glBindTexture(GL_TEXTURE_2D, textureStore.textures[index]);
    drawWhereShown(textureStore.coverage[index]);
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
    unitSquare();
    glPopMatrix();
}

void fillScreen(float red, float green, float blue)
{
    // A clear reaches the whole window, the scissor keeps it to the viewport.
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glEnable(GL_SCISSOR_TEST);
    glScissor(viewport[0], viewport[1], viewport[2], viewport[3]);
    glClearColor(red, green, blue, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    glDisable(GL_SCISSOR_TEST);
}

void QuadBatch::add(float x, float y, float w, float h)
{
    // The unit square's corners in drawQuad's order.
    const float left = x - 0.5f * w;
    const float right = x + 0.5f * w;
    const float top = y - 0.5f * h;
    const float bottom = y + 0.5f * h;
    corners_.insert(corners_.end(), {left, top, left, bottom, right, bottom, right, top});
}

void QuadBatch::draw()
{
    if (corners_.empty()) {
        return;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, corners_.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(corners_.size() / 2));
    glDisableClientState(GL_VERTEX_ARRAY);
    corners_.clear();
}
