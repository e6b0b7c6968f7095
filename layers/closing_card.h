// The closing card: the emblem with its slogan, to the end of the script.
#pragma once

#include <cstdint>

void drawClosingCardLayer(std::uint32_t t);
