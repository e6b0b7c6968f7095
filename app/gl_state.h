// The OpenGL state that holds for the whole show, set once after loading:
// lighting ready for the 3D view (which switches it on and off itself),
// textures and blending on for every flat layer.
#pragma once

void initGLState();
