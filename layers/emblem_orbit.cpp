// The group's emblem circles in, growing, as the ride ends.
#include "layers/emblem_orbit.h"

#include <SDL_opengl.h>

#include <cmath>

#include "assets/loader.h"
#include "overlay/primitives.h"

namespace {

// Progress runs over a whole six seconds, so the last frame falls just short
// of a full turn and of the final size.
constexpr float orbitMs = 6000;
constexpr float orbitCentreX = 512;
constexpr float orbitCentreY = 384;
constexpr float orbitRadius = 200;
constexpr double fullTurn = 6.283185307179586;  // radians
constexpr float finalScale = 2;

}  // namespace

EmblemPlace emblemPlace(std::uint32_t t)
{
    EmblemPlace place;
    if (!emblemOrbitWindow.contains(t)) {
        return place;
    }
    const float progress = static_cast<float>(emblemOrbitWindow.elapsed(t)) / orbitMs;
    // With y pointing down, a growing angle runs clockwise on screen.
    const double angle = progress * fullTurn;
    place.drawn = true;
    place.x = orbitCentreX + orbitRadius * static_cast<float>(std::cos(angle));
    place.y = orbitCentreY + orbitRadius * static_cast<float>(std::sin(angle));
    place.scale = finalScale * progress;
    return place;
}

void drawEmblemOrbitLayer(std::uint32_t t)
{
    const EmblemPlace place = emblemPlace(t);
    if (!place.drawn) {
        return;
    }
    glColor3f(1, 1, 1);
    drawPicture(emblem, place.x, place.y, place.scale);
}
