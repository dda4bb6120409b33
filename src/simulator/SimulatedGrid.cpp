#include "simulator/SimulatedGrid.h"
#include "common/Twips.h"

namespace leapmark {

SimulatedGrid simulatedGrid(const GroundTruth& truth)
{
    SimulatedGrid grid;
    for (int corner = 0; corner < 4; ++corner) {
        grid.corners[corner].screenXTwips = pixelsToTwips(truth.buoyPixels[corner].x);
        grid.corners[corner].screenYTwips = pixelsToTwips(truth.buoyPixels[corner].y);
        grid.corners[corner].survey = truth.parameters.buoys[corner];
    }
    grid.ramp = truth.parameters.ramp;
    grid.description = "Simulated camera " + sizeText(truth.parameters.size) + " seed " +
                       std::to_string(truth.parameters.seed);
    grid.exactCoefficients = truth.screenToSurveyCoefficients;
    return grid;
}

} // namespace leapmark
