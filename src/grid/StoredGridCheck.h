#pragma once

#include "common/Result.h"
#include "grid/GridRecord.h"

namespace leapmark {

/** How far a stored grid's coefficients may put one of its own buoys from its survey point. */
inline constexpr double kStoredBuoyToleranceMetres = 0.001;

/** How far the inverse transform may put a buoy's survey point from its screen position: a pixel. */
inline constexpr double kStoredBuoyToleranceTwips = 15.0;

/**
 * Checks that a stored grid's coefficients are the transform of its own buoys, as a solve leaves
 * them: each buoy's screen position maps to within a millimetre of its survey point, all four on
 * the same side of the transform's horizon, and each survey point maps back to within a pixel of
 * its screen position. A file whose fields shifted (a decimal comma, a field too many) or whose
 * coefficients were zeroed or swapped fails this, where it would otherwise measure nonsense.
 *
 * The error is the reason alone, worded for the operator, naming the worst buoy, e.g. "the stored
 * coefficients put the upper left buoy 12.345 m from its survey point".
 */
[[nodiscard]] Result<void> checkStoredTransform(const GridRecord& grid);

} // namespace leapmark
