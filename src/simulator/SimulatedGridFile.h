#pragma once

#include "common/Result.h"
#include "grid/GridFile.h"
#include "simulator/SimulatedGrid.h"

#include <filesystem>

namespace leapmark {

/**
 * The grid file content of a simulated camera view, as the setup screen would save it after
 * marking the four buoys and pressing "Complete": grid 1, coefficients solved from the corners.
 */
[[nodiscard]] Result<GridFileContent> simulatedGridFileContent(const SimulatedGrid& grid);

/** Solves the simulated grid and writes it as a grid file. */
[[nodiscard]] Result<void> writeSimulatedGridFile(const std::filesystem::path& path,
                                                  const SimulatedGrid& grid);

} // namespace leapmark
