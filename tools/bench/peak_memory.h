// The most memory the process has held at once so far (its peak resident
// set), in MiB.
#pragma once

#include <sys/resource.h>

inline double peakMemoryMib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    constexpr double kibPerMib = 1024.0;
    return static_cast<double>(usage.ru_maxrss) / kibPerMib;
}
