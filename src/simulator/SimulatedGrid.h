#pragma once

#include "simulator/GroundTruth.h"
#include "simulator/SceneGeometry.h"

#include <array>
#include <optional>
#include <string>

namespace leapmark {

/** One buoy of a grid: where it is in the picture (twips) and on the water (metres). */
struct SimulatedGridCorner
{
    double screenXTwips = 0.0;
    double screenYTwips = 0.0;
    SurveyPoint survey;
};

/**
 * Everything a grid file of the simulated camera holds apart from what the grid model works out
 * itself: the four buoys in corner order, the ramp point and a description line. The grid file
 * writer turns it into "grid.ipt" (solving the coefficients from the corners as the setup screen
 * does); the camera's exact coefficients come along for comparison.
 */
struct SimulatedGrid
{
    /** Corner numbers 1..4 at indices 0..3: upper right, lower right, upper left, lower left. */
    std::array<SimulatedGridCorner, 4> corners{};
    SurveyPoint ramp;
    /** One line, no commas (the grid file reader splits fields at commas). */
    std::string description;
    std::optional<std::array<double, 8>> exactCoefficients;
};

/** The grid of a simulated jump: buoy twips are the exact projections x 15. */
[[nodiscard]] SimulatedGrid simulatedGrid(const GroundTruth& truth);

} // namespace leapmark
