#include "review/VideoFrame.h"

#include <algorithm>
#include <cstring>

namespace leapmark {

namespace {

void put32(std::uint8_t*& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        *out++ = static_cast<std::uint8_t>((value >> shift) & 0xff);
}

void put16(std::uint8_t*& out, std::uint16_t value)
{
    *out++ = static_cast<std::uint8_t>(value & 0xff);
    *out++ = static_cast<std::uint8_t>(value >> 8);
}

} // namespace

std::vector<std::uint8_t> packedDibFromFrame(const VideoFrame& frame)
{
    const int rowBytes = dibRowBytes(frame.width);
    const std::size_t imageBytes =
        static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(frame.height);
    std::vector<std::uint8_t> packed(40 + imageBytes, 0);
    std::uint8_t* out = packed.data();
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(frame.width));
    put32(out, static_cast<std::uint32_t>(frame.height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(imageBytes));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    // Pixels only: the padding at the end of each row stays zero.
    const auto copyBytes = static_cast<std::size_t>(std::min(frame.width * 3, frame.bytesPerLine));
    for (int y = 0; y < frame.height; ++y)
        std::memcpy(out + static_cast<std::size_t>(frame.height - 1 - y) * static_cast<std::size_t>(rowBytes),
                    frame.row(y), copyBytes);
    return packed;
}

} // namespace leapmark
