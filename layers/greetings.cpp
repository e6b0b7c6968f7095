#include "layers/greetings.h"

void GreetingsLayer()
{
}
