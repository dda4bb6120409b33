#pragma once

#include <cstdint>

namespace leapmark {

/**
 * The simulated scene's random numbers: SplitMix64, whose output is fixed by its definition, so a
 * seed gives the same water, spray and file bytes on every platform and standard library (the
 * standard distributions are not specified to that degree).
 */
class SceneRandom
{
public:
    explicit SceneRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    /** Uniform in [low, high). */
    double uniform(double low, double high)
    {
        return low + (high - low) * static_cast<double>(next() >> 11) * 0x1.0p-53;
    }

private:
    std::uint64_t m_state;
};

/** A reproducible hash of a lattice cell and a seed, uniform in [0, 1): for noise without tables. */
[[nodiscard]] inline double latticeNoise(std::int64_t i, std::int64_t j, std::uint64_t seed)
{
    SceneRandom random(seed ^ (static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ull) ^
                       (static_cast<std::uint64_t>(j) * 0xC2B2AE3D27D4EB4Full));
    return random.uniform(0.0, 1.0);
}

} // namespace leapmark
