#pragma once

#include <string>

namespace leapmark::testing {

/**
 * An uncompressed OpenDML AVI written byte by byte: 32 x 24 pattern frames, bottom-up, split over a
 * "RIFF AVI " part and a "RIFF AVIX" part, each with its standard index behind a super index. The
 * main header counts only the first part's frames, as large files written by FFmpeg do.
 */
[[nodiscard]] std::string openDmlPatternAvi(int framesInFirstPart, int framesInSecondPart);

/** A one-frame AVI whose video compression no decoder knows ("XXXX"). */
[[nodiscard]] std::string unknownCodecAvi();

} // namespace leapmark::testing
