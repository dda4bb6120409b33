#pragma once

#include "app/cli/Command.h"

namespace leapmark::cli {

/** solve: the eight coefficients from four corners. */
extern const Command solveCommand;
/** grid-save: solve and write a grid file. */
extern const Command gridSaveCommand;
/** grid-show: what a grid file holds. */
extern const Command gridShowCommand;
/** measure: a clicked landing through a grid file into the official distance. */
extern const Command measureCommand;
/** to-screen: a survey point through a grid file into screen twips. */
extern const Command toScreenCommand;

} // namespace leapmark::cli
