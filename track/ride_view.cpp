#include "track/ride_view.h"

#include <SDL_opengl.h>

namespace {

constexpr double screenWidth = 1024;
constexpr double screenHeight = 768;

// The show's 2D state: one unit per pixel, origin top left, y down.
void leaveShowProjection()
{
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, screenWidth, screenHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace

void drawRideView()
{
    leaveShowProjection();
}
