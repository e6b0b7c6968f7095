#include "layers/emblem_orbit.h"

void EmblemOrbitLayer()
{
}
