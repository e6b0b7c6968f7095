// The 3D view of the first part of the show: the track laid on the beat,
// then ridden by the ball. Whenever it draws it leaves the show's 2D state
// behind (the 1024 x 768 y-down projection, identity modelview, lighting and
// depth test off), on which every later drawer of the frame relies.
#pragma once

void drawRideView();
