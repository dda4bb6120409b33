#pragma once

#include "common/Result.h"
#include "simulator/GroundTruth.h"
#include "simulator/SimulatedGrid.h"
#include "simulator/SimulationParameters.h"

#include <filesystem>
#include <functional>

namespace leapmark {

/** The files one simulated jump leaves in its folder. */
struct SimulatedJumpFiles
{
    std::filesystem::path video; ///< "jump.avi": MJPEG, full range, the clip's exact frame rate
    std::filesystem::path grid;  ///< "grid.ipt": the grid file of the four buoys
    std::filesystem::path truth; ///< "truth.txt": see groundTruthText()
    GroundTruth groundTruth;
};

/** Writes a grid file for the simulated grid at the given path; the grid subsystem supplies it. */
using GridFileWriter =
    std::function<Result<void>(const std::filesystem::path& path, const SimulatedGrid& grid)>;

/**
 * Renders and writes a whole simulated jump into a folder (created when missing): the video, then
 * the grid file through writeGridFile (none when it is empty), then the ground truth. Existing files of those
 * names are replaced. On failure the message names the file and the reason, and a partly written video is
 * removed.
 */
[[nodiscard]] Result<SimulatedJumpFiles> writeSimulatedJump(const SimulationParameters& parameters,
                                                            const std::filesystem::path& folder,
                                                            const GridFileWriter& writeGridFile);

} // namespace leapmark
