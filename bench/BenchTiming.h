#pragma once

// Timing helpers shared by the benchmarks: the steady clock and the median and 95th percentile of
// a set of samples.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
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

/** Frames to jump to, the same every run, never a neighbour of the one before. */
inline std::vector<int> randomFrames(int count, int frameCount)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int> anyFrame(0, frameCount - 1);
    std::vector<int> frames;
    int previous = -10;
    while (static_cast<int>(frames.size()) < count) {
        const int frame = anyFrame(random);
        if (std::abs(frame - previous) <= 1)
            continue;
        frames.push_back(frame);
        previous = frame;
    }
    return frames;
}

} // namespace leapmark::bench
