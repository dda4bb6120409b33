#pragma once

#include "review/ffmpeg/FfmpegVideoDecoder.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace leapmark::testing {

/** What our own decoder makes of a captured file: its frame count and the number stamped in each frame. */
struct CapturedVideo
{
    std::int64_t frameCount = 0;
    double framesPerSecond = 0.0;
    int width = 0;
    int height = 0;
    /** Each frame's stamped device frame number, or -1 where none can be read. */
    std::vector<std::int64_t> stamps;
};

/** Opens the file with FfmpegVideoDecoder and steps through every frame; empty when it cannot. */
[[nodiscard]] std::optional<CapturedVideo> readCapturedVideo(const std::filesystem::path& path);

} // namespace leapmark::testing
