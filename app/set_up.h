// Everything before the splash: SDL, the sound, the full-screen OpenGL
// window, the pictures, the song and the fixed drawing state. A failure that
// leaves no show to watch says what failed on stderr and ends the program
// with 1.
#pragma once

#include "app/audio.h"

void setUpShow(ShowSong& song);

// The parts of it that tools beside the show share: the 1024 x 768 OpenGL
// window (starting SDL's video), and the pictures with the fixed drawing
// state in it.
void openShowWindow(bool fullScreen);
void prepareDrawing();

// The same screen in a window, for good (the f key).
void leaveFullScreen();
