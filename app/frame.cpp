#include "app/frame.h"

#include <SDL.h>
#include <SDL_opengl.h>

// Later drawing covers earlier drawing: the scenes are painted between the
// clear and the swap, back to front.
void renderFrame()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glClear(GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
}
