#include "layers/xor_pattern.h"

void XorPatternLayer()
{
}
