// What the benchmarks time with: the steady clock in milliseconds, and the
// value at a rank of a set of timings.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

using BenchClock = std::chrono::steady_clock;

inline double msSince(BenchClock::time_point began)
{
    return std::chrono::duration<double, std::milli>(BenchClock::now() - began).count();
}

// The value a fraction of the way up the sorted values (0.5: the median,
// 1: the largest), by the nearest-rank rule; 0 for none.
inline double nearestRank(std::vector<double> values, double fraction)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(fraction * static_cast<double>(values.size()) + 0.999999);
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}
