#include "layers/retro_banner.h"

void RetroBannerLayer()
{
}
