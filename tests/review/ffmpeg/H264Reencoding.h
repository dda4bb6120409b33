#pragma once

#include "common/Result.h"

#include <filesystem>

namespace leapmark::testing {

/** How a camcorder or webcam compresses: H.264 with a key frame every so often and B-frames. */
struct H264Settings
{
    int keyFrameInterval = 24;
    int bFrames = 2;
};

/**
 * A video re-encoded as H.264 with x264's defaults otherwise, as `ffmpeg -i in.avi -c:v libx264 -g
 * 24 -bf 2 out.mp4` does (the container from the target's extension).
 */
[[nodiscard]] Result<void> reencodeAsH264(const std::filesystem::path& source,
                                          const std::filesystem::path& target, H264Settings settings = {});

} // namespace leapmark::testing
