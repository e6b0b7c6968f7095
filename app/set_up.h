// Everything before the splash: SDL, the sound, the OpenGL window (full
// screen unless asked otherwise), the pictures, the song and the fixed
// drawing state. A failure that leaves no show to watch says what failed on
// stderr and ends the program with 1.
#pragma once

#include "app/audio.h"

void setUpShow(ShowSong& song, bool fullScreen = true);

// The parts of it that tools beside the show share: the OpenGL window
// (starting SDL's video on the X display), and the pictures with the fixed
// drawing state in it.
//
// Full screen is the display switched to 1024 x 768. Where that cannot be
// had (a smaller display), or a window is asked for, the show plays in a
// 1024 x 768 window, or in the largest 4:3 window the display holds, the
// picture scaled to fit; one line on stderr says so.
void openShowWindow(bool fullScreen);
void prepareDrawing();

// The same on a drawing surface of the given size that is not SDL's window
// (the capture's offscreen surface).
void prepareDrawing(int width, int height);

// The same screen in a window, for good (the f key); a window stays as it is.
void leaveFullScreen();
