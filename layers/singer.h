// The singer, lip-synced to the verse, with spins, hearts and a fade.
#pragma once

// Draws the scene for the current globaltime, in the show's 2D state; the
// scene decides from the time by itself whether it draws.
void SingerLayer();
