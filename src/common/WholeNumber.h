#pragma once

#include "common/Rounding.h"

#include <cmath>
#include <concepts>
#include <optional>

namespace leapmark {

/**
 * The whole number nearest a value (halves to the even one) when it lies within [lowest, highest];
 * nothing for one outside, infinite or not a number. Never casts a value the type cannot hold.
 */
template <std::integral T>
[[nodiscard]] std::optional<T> wholeNumberWithin(double value, T lowest, T highest)
{
    const double rounded = roundHalfEven(value);
    if (std::isnan(rounded) || rounded < static_cast<double>(lowest) ||
        rounded > static_cast<double>(highest))
        return std::nullopt;
    // A bound as a double may lie just past what the type holds (2^63 for the largest int64).
    if (rounded >= static_cast<double>(highest))
        return highest;
    if (rounded <= static_cast<double>(lowest))
        return lowest;
    return static_cast<T>(rounded);
}

/** The whole number nearest a value (halves to the even one), clamped to [lowest, highest]; NaN gives lowest.
 */
template <std::integral T>
[[nodiscard]] T clampedWholeNumber(double value, T lowest, T highest)
{
    const double rounded = roundHalfEven(value);
    if (std::isnan(rounded) || rounded <= static_cast<double>(lowest))
        return lowest;
    if (rounded >= static_cast<double>(highest))
        return highest;
    return static_cast<T>(rounded);
}

} // namespace leapmark
