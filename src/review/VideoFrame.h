#pragma once

#include <cstdint>
#include <vector>

namespace leapmark {

/** Bytes in one row of a 24-bit bitmap: three per pixel, padded to a multiple of four. */
[[nodiscard]] constexpr int dibRowBytes(int width)
{
    return (width * 3 + 3) / 4 * 4;
}

/** One decoded picture as 24-bit BGR, rows from the top, each row padded to four bytes. */
struct VideoFrame
{
    /** Which frame of the video this is, counted from 0. */
    std::int64_t index = 0;
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
    std::vector<std::uint8_t> bgr;

    [[nodiscard]] const std::uint8_t* row(int y) const
    {
        return bgr.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(bytesPerLine);
    }
};

/**
 * The frame as a packed DIB: a 40-byte info header (24 bits, no compression, rows bottom-up,
 * image size = row bytes x height) followed by the bits.
 */
[[nodiscard]] std::vector<std::uint8_t> packedDibFromFrame(const VideoFrame& frame);

} // namespace leapmark
