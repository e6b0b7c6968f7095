// The little robot face shown before the music starts.
#pragma once

// Shows the splash until 4 s have passed or a key is pressed; every other
// input during it is swallowed. Needs the splash projection (setOrtho2D).
void showSplash();
