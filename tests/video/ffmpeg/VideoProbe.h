#pragma once

#include "video/YuvPicture.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace leapmark::testing {

/** What libavformat and libavcodec make of a video file: an independent reading of what was written. */
struct ProbedVideo
{
    std::string containerName;
    std::string codecName;
    int width = 0;
    int height = 0;
    std::int64_t indexedFrames = 0; ///< the frame count the container declares
    int rateNumerator = 0;
    int rateDenominator = 0;
    int timeBaseNumerator = 0;
    int timeBaseDenominator = 0;
    bool fullRange = false;
    /** Every decoded frame's luma plane, packed. */
    std::vector<std::vector<std::uint8_t>> lumaFrames;
};

/** Opens and decodes the whole file; empty (with a test failure) when FFmpeg cannot. */
[[nodiscard]] std::optional<ProbedVideo> probeVideo(const std::filesystem::path& path);

} // namespace leapmark::testing
