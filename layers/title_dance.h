// The title screen: the title sheet on white with the Santa dancing to the beat.
#pragma once

// Draws the scene for the current globaltime, in the show's 2D state; the
// scene decides from the time by itself whether it draws.
void TitleDanceLayer();
