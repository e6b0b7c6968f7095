#include "layers/snow.h"

void SnowLayer()
{
}
