#pragma once

#include "video/YuvPicture.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace leapmark {

/**
 * A frame's index written into the picture's top-left corner as a row of square blocks, so a decoded
 * frame can be told apart from its neighbours without trusting timestamps: one white and one black
 * guard block, then 16 bits of the index, most significant first, white for 1 and black for 0. The
 * blocks are whole multiples of 8 pixels on the 8-pixel grid and colourless, so JPEG keeps them crisp
 * at any quality.
 */
namespace frame_index_pattern {

inline constexpr int bitCount = 16;
inline constexpr int blockCount = bitCount + 2;
inline constexpr std::int64_t largestIndex = (std::int64_t{1} << bitCount) - 1;

/** The block edge in pixels for a picture width: 8 up to 640 pixels, growing with the width. */
[[nodiscard]] int blockPixels(int pictureWidth);

/** Stamps the index into the picture (its low 16 bits: indices repeat after largestIndex); a picture
 *  narrower than blockCount x blockPixels or lower than blockPixels is left as it is. */
void stamp(YuvPicture& picture, std::int64_t frameIndex);

/**
 * Reads the index back from any 8-bit plane that shows brightness (a luma plane, or the green bytes
 * of BGR pixels with a pixel step of 3): empty when the guard blocks are not white and black or a
 * block is neither clearly white nor clearly black.
 */
[[nodiscard]] std::optional<std::int64_t> read(const std::uint8_t* plane, std::ptrdiff_t rowStride,
                                               int pixelStep, int width, int height);

/** The index read from a picture's luma plane. */
[[nodiscard]] std::optional<std::int64_t> read(const YuvPicture& picture);

} // namespace frame_index_pattern
} // namespace leapmark
