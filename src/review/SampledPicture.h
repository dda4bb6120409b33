#pragma once

#include "review/VideoFrame.h"

#include <cstdint>
#include <vector>

namespace leapmark {

/**
 * A picture reduced to square blocks of a few pixels: each block's mean brightness (full range,
 * 0 to 255) and its colour as the two colour differences (blue and red, 0 when colourless), as a
 * 4:2:0 picture stores them. Blocks run in rows from the top-left.
 */
struct SampledPicture
{
    int columns = 0;
    int rows = 0;
    std::vector<std::uint8_t> luma;
    std::vector<std::int8_t> blueDifference;
    std::vector<std::int8_t> redDifference;

    void resize(int blockColumns, int blockRows);
    [[nodiscard]] std::size_t blocks() const { return luma.size(); }
};

/** Blocks are never more than this many across, whatever the picture's size. */
inline constexpr int maximumSampleColumns = 640;

/**
 * The side of a picture's blocks in pixels: single pixels in small pictures (where a drop of spray
 * far away is a pixel), else the smallest power of two from 2 up that keeps the blocks few.
 */
[[nodiscard]] int sampleBlockPixels(int pictureWidth);

/** A BGR frame as blocks of sampleBlockPixels(width) pixels (BT.601 colour differences, full range). */
void samplePicture(const VideoFrame& frame, SampledPicture& sampled);

} // namespace leapmark
