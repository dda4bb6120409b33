#pragma once

#include "review/ByteSource.h"

#include <cstdint>

namespace leapmark {

/** Key-frame facts of the video stream's index entries. */
struct AviIndexTally
{
    /** Every entry could be read. */
    bool complete = false;
    std::uint64_t frames = 0;
    std::uint64_t keyFrames = 0;
};

/** The old index ("idx1"): its data's start and size, and the number of the video stream. */
[[nodiscard]] AviIndexTally tallyOldIndex(ByteSource& source, std::uint64_t dataStart, std::uint32_t dataSize,
                                          int streamNumber);

/**
 * The OpenDML super index ("indx") of the video stream and the standard indexes it points to. An
 * entry pointing back into bytes already read raises RiffReadFailure.
 */
[[nodiscard]] AviIndexTally tallyOpenDmlIndex(ByteSource& source, std::uint64_t superIndexOffset,
                                              std::uint32_t superIndexSize);

} // namespace leapmark
