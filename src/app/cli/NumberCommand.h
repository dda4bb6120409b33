#pragma once

#include "app/cli/Command.h"

namespace leapmark::cli {

/** number V: the three number texts of V, brackets showing the blanks. */
extern const Command numberCommand;

} // namespace leapmark::cli
