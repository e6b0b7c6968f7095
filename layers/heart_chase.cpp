#include "layers/heart_chase.h"

void HeartChaseLayer()
{
}
