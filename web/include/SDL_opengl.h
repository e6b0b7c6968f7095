// Stands in for SDL 1.2's SDL_opengl.h, which on the desktop also brings
// GLU; emscripten's does not, and the ride's quadrics and perspective need
// it.
#pragma once
#include_next <SDL_opengl.h>
#include <GL/glu.h>
