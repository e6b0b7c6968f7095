#include "layers/title_dance.h"

void TitleDanceLayer()
{
}
