#include "simulator/SimulatedGrid.h"

namespace leapmark {

SimulatedGrid simulatedGrid(const GroundTruth& truth)
{
    constexpr double twipsPerPixel = 15.0;
    SimulatedGrid grid;
    for (int corner = 0; corner < 4; ++corner) {
        grid.corners[corner].screenXTwips = truth.buoyPixels[corner].x * twipsPerPixel;
        grid.corners[corner].screenYTwips = truth.buoyPixels[corner].y * twipsPerPixel;
        grid.corners[corner].survey = truth.parameters.buoys[corner];
    }
    grid.ramp = truth.parameters.ramp;
    grid.description = "Simulated camera " + sizeText(truth.parameters.size) + " seed " +
                       std::to_string(truth.parameters.seed);
    grid.exactCoefficients = truth.screenToSurveyCoefficients;
    return grid;
}

} // namespace leapmark
