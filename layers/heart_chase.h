// The heart chase: the snowmen and the heart across the screen in three passes.
#pragma once

// Draws the scene for the current globaltime, in the show's 2D state; the
// scene decides from the time by itself whether it draws.
void HeartChaseLayer();
