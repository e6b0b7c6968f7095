// The credits: five cards, one after another.
#pragma once

#include <cstdint>

void drawCreditsLayer(std::uint32_t t);
