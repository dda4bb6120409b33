#pragma once

#include "app/cli/Command.h"

namespace leapmark::cli {

/** devices: the capture devices, one a line; "simulated" stands for the simulated shore camera. */
extern const Command devicesCommand;
/** capture: records from a device through the capture pipeline and prints its counters. */
extern const Command captureCommand;

} // namespace leapmark::cli
