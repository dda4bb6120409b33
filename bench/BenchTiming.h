#pragma once

// Timing helpers shared by the benchmarks: the steady clock and the median and 95th percentile of
// a set of samples.

#include <algorithm>
#include <chrono>
#include <vector>

namespace leapmark::bench {

using Clock = std::chrono::steady_clock;

struct Percentiles
{
    double median = 0;
    double p95 = 0;
};

inline Percentiles percentiles(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    auto at = [&](double q) {
        const auto i = static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1) + 0.5);
        return samples[std::min(i, samples.size() - 1)];
    };
    return {at(0.5), at(0.95)};
}

inline double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace leapmark::bench
