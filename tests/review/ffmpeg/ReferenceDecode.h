#pragma once

#include "common/Result.h"
#include "review/VideoFrame.h"

#include <filesystem>
#include <vector>

namespace leapmark::testing {

/**
 * Every frame of a video as plain libavcodec gives it when decoding straight through from the first
 * packet, one thread, pictures in the order they come out, each converted to 24-bit BGR by the same
 * scaler set-up as the decoder under test but into lines with a generous margin and a spare line,
 * then cropped to rows of dibRowBytes(width): the pictures FfmpegVideoDecoder must give, byte for byte.
 */
[[nodiscard]] Result<std::vector<VideoFrame>> referenceFrames(const std::filesystem::path& path);

} // namespace leapmark::testing
