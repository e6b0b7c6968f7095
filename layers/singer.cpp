#include "layers/singer.h"

void SingerLayer()
{
}
