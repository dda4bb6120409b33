#pragma once

#include "video/YuvPicture.h"

#include <cstdint>
#include <vector>

namespace leapmark {

/** One picture from a capture device, with the device's own number for it. */
struct CaptureFrame
{
    YuvPicture picture;
    /** The device's frame counter: consecutive frames differ by one, a gap means frames were lost. */
    std::int64_t deviceFrameNumber = 0;
};

/** Interleaved PCM samples from an audio device, in the format the device was opened with. */
struct AudioChunk
{
    std::vector<std::uint8_t> bytes;
    std::int64_t sampleFrames = 0;
};

} // namespace leapmark
