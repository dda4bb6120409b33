#pragma once

#include <cstdint>
#include <vector>

namespace leapmark {

/** A live picture made small for showing: 32-bit pixels 0xffRRGGBB, rows packed. */
struct PreviewImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    /** The device's number of the frame shown. */
    std::int64_t deviceFrameNumber = 0;
};

} // namespace leapmark
