// The little robot face shown before the music starts.
#pragma once

// Shows the splash until 4 s have passed or a key is pressed; every other
// input during it is swallowed. Needs the splash projection (setOrtho2D).
void showSplash();

// One splash frame, not yet presented: the 16 x 16 face enlarged 16 times in
// the middle of a black screen.
void drawSplashFrame();
