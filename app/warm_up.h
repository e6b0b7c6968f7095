// The software renderer compiles its shaders the first time it meets a
// combination of drawing state, a hitch of up to 30 ms in the frame that
// does. Drawing a frame of every layer's window once beforehand, out of
// sight, moves those hitches to where nobody sees them: the splash.
#pragma once

#include <cstddef>

// Draws warm-up frame number index (from 0) into the back buffer and clears
// it again, leaving the matrices as it found them and the show's 2D state
// otherwise; false, drawing nothing, once every warm-up frame has been
// drawn. Needs every picture loaded.
bool drawWarmUpFrame(std::size_t index);

// Every warm-up frame at once.
void warmUpDrawing();
