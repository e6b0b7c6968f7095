// Reading the big-endian numbers of media file headers (PNG chunks, MP3
// information tags).
#pragma once

#include <cstdint>

inline std::uint32_t bigEndian32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
           (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]};
}
