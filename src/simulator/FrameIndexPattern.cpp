#include "simulator/FrameIndexPattern.h"

#include <algorithm>
#include <cstring>

namespace leapmark::frame_index_pattern {
namespace {

bool blockBit(std::int64_t frameIndex, int block)
{
    if (block == 0)
        return true;
    if (block == 1)
        return false;
    return ((frameIndex >> (bitCount - 1 - (block - 2))) & 1) != 0;
}

} // namespace

int blockPixels(int pictureWidth)
{
    return 8 * std::max(1, pictureWidth / 640);
}

void stamp(YuvPicture& picture, std::int64_t frameIndex)
{
    const int edge = blockPixels(picture.width());
    if (picture.width() < blockCount * edge || picture.height() < edge)
        return;
    const bool full = picture.range() == ColourRange::Full;
    const std::uint8_t white = full ? 255 : 235;
    const std::uint8_t black = full ? 0 : 16;
    for (int y = 0; y < edge; ++y) {
        std::uint8_t* row = picture.lumaRow(y);
        for (int block = 0; block < blockCount; ++block)
            std::memset(row + block * edge, blockBit(frameIndex, block) ? white : black, edge);
    }
    for (int y = 0; y < edge / 2; ++y) {
        std::memset(picture.uRow(y), 128, blockCount * edge / 2);
        std::memset(picture.vRow(y), 128, blockCount * edge / 2);
    }
}

std::optional<std::int64_t> read(const std::uint8_t* plane, std::ptrdiff_t rowStride, int pixelStep,
                                 int width, int height)
{
    const int edge = blockPixels(width);
    if (plane == nullptr || width < blockCount * edge || height < edge)
        return std::nullopt;
    std::int64_t index = 0;
    for (int block = 0; block < blockCount; ++block) {
        // The middle half of the block: edges may ring after compression.
        int sum = 0;
        int count = 0;
        for (int y = edge / 4; y < edge - edge / 4; ++y) {
            const std::uint8_t* row = plane + y * rowStride;
            for (int x = block * edge + edge / 4; x < (block + 1) * edge - edge / 4; ++x) {
                sum += row[static_cast<std::ptrdiff_t>(x) * pixelStep];
                ++count;
            }
        }
        const int mean = sum / count;
        if (mean > 64 && mean < 192)
            return std::nullopt;
        const bool bit = mean >= 192;
        if (block < 2) {
            if (bit != blockBit(0, block))
                return std::nullopt;
            continue;
        }
        index = (index << 1) | (bit ? 1 : 0);
    }
    return index;
}

std::optional<std::int64_t> read(const YuvPicture& picture)
{
    return read(picture.lumaPlane().data(), picture.width(), 1, picture.width(), picture.height());
}

} // namespace leapmark::frame_index_pattern
