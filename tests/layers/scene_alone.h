// One scene drawn by itself on a black screen, so that what is read back is
// the scene's own whatever the other scenes draw.
#pragma once

#include "app/show_clock.h"
#include "gl_window.h"

inline void drawAlone(void (*scene)(), std::uint32_t t)
{
    useShowProjection();
    glClear(GL_COLOR_BUFFER_BIT);
    globaltime = t;
    scene();
    expectDrawerLeftStateClean();
}
