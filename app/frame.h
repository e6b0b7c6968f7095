// One frame of the show for the current globaltime, presented at the end.
#pragma once

void renderFrame();
