#pragma once

#include "common/Result.h"
#include "simulator/GroundTruth.h"

#include <QImage>

#include <filesystem>

namespace leapmark::testing {

/** A simulated jump as the measuring station receives it: the landing frame and the camera's grid. */
struct SimulatedLanding
{
    GroundTruth truth;
    /** The frame of first water contact, as frame selection hands it over. */
    QImage picture;
};

/** Renders the landing frame of the simulated jump and writes its grid file (grid 1) at gridFile. */
[[nodiscard]] Result<SimulatedLanding> simulateLanding(const SimulationParameters& parameters,
                                                       const std::filesystem::path& gridFile);

} // namespace leapmark::testing
