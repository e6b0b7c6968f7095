#include "app/gl_state.h"

#include <SDL_opengl.h>

namespace {

// w = 0.1 makes it a point light at (0, 20, 0); given under an identity
// modelview, it stays fixed relative to the eye.
const GLfloat lightPosition[4] = {0.0f, 2.0f, 0.0f, 0.1f};
const GLfloat lightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};

}  // namespace

void initGLState()
{
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
}
