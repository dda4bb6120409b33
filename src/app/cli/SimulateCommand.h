#pragma once

#include "app/cli/Command.h"

namespace leapmark::cli {

/** simulate: a simulated jump's video, grid file and ground truth. */
extern const Command simulateCommand;

} // namespace leapmark::cli
