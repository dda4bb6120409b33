#pragma once

#include "app/cli/Command.h"

namespace leapmark::cli {

/** avi-info: the seventeen file-information lines of an AVI file. */
extern const Command aviInfoCommand;
/** extract-frame: one frame of a video as a 24-bit BMP. */
extern const Command extractFrameCommand;
/** suggest-contact: the frame of first water contact a video suggests. */
extern const Command suggestContactCommand;
/** demo: the road of one jump without a screen, on a simulated jump. */
extern const Command demoCommand;

} // namespace leapmark::cli
