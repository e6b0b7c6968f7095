#include "app/show_clock.h"

double songPositionSeconds(std::uint32_t showTimeMs, std::uint32_t songLengthMs)
{
    const std::uint32_t intoSong = songLengthMs > 0 ? showTimeMs % songLengthMs : showTimeMs;
    return intoSong / 1000.0;
}
