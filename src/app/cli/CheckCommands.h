#pragma once

#include "app/cli/Command.h"

namespace leapmark::cli {

/** accuracy: the accuracy check of a grid file, its report and its 49 label texts. */
extern const Command accuracyCommand;
/** grid-check: the grid check's advice for a grid file and a picture width. */
extern const Command gridCheckCommand;
/** check-points: the residuals of surveyed points clicked on the picture. */
extern const Command checkPointsCommand;

} // namespace leapmark::cli
