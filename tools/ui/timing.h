// What the UI measuring tools share: the thread's CPU time and percentiles of a series.
#pragma once

#include <algorithm>
#include <cstddef>
#include <ctime>
#include <vector>

namespace heliomark::tools {

// CPU time of this thread in milliseconds: what a piece of work costs, apart from the time the
// machine gives to other programs meanwhile.
inline double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The value below which the fraction p (0..1) of the values lies (the nearest rank).
inline double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const std::size_t i = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[i];
}

}  // namespace heliomark::tools
