#pragma once

#include "common/Result.h"

#include <string>
#include <vector>

namespace leapmark {

/** The screen x of the four buoys, twips, as the setup screen's boxes hold them. */
struct BuoyScreenXs
{
    double upperLeft = 0.0;
    double upperRight = 0.0;
    double lowerLeft = 0.0;
    double lowerRight = 0.0;
};

/** How much of the picture width the near and the far buoy pairs span, and what to do about it. */
struct GridCheckResult
{
    double front_ratio = 0.0; ///< near (lower) buoys, percent of the picture width
    double back_ratio = 0.0;  ///< far (upper) buoys
    /** The advice boxes to show, in order; each is shown in a plain box with no title. */
    std::vector<std::string> advice;
};

/**
 * The grid check. Comparisons are strict, so a front of exactly 65 % or a back of exactly 45 % matches
 * no case that names it; a front above 65 % with a back below 45 % gives two boxes (raise the camera,
 * zoom for the back) and, with the front also below 80 %, a third. Fails (naming the width) when the
 * picture width is not a positive number.
 */
[[nodiscard]] Result<GridCheckResult> grid_check(double picture_width, const BuoyScreenXs& buoys);

} // namespace leapmark
