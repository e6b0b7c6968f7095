#include "layers/retro_load.h"

void RetroLoadLayer()
{
}
