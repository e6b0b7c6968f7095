// The little robot face shown before the music starts.
#pragma once

#include <functional>

// Shows the splash until 4 s have passed or a key is pressed; every other
// input during it is swallowed. Returns false, at once, if the viewer asks
// to quit instead. Needs the splash projection (setOrtho2D). Between its
// frames, once the drawing has warmed up, it does a piece of spareWork a
// frame, until that answers that none is left.
bool showSplash(const std::function<bool()>& spareWork);

// One splash frame, not yet presented: the 16 x 16 face enlarged 16 times in
// the middle of a black screen.
void drawSplashFrame();
