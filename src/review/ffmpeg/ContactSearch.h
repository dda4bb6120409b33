#pragma once

#include "common/Result.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace leapmark {

/** The frame in which the skier most likely touches the water, and how sure the search is of it. */
struct SuggestedContact
{
    std::int64_t frame = 0;
    /** 0 to 1: how far the splash stands out over the next strongest whitening of the video. */
    double confidence = 0.0;
};

/**
 * Searches a video file for its contact frame. None when no splash stands out; an error naming
 * the file when it cannot be opened or read. Checks `cancelled` often and then gives up soon.
 */
[[nodiscard]] Result<std::optional<SuggestedContact>> searchContactFrame(const std::filesystem::path& video,
                                                                         const std::atomic<bool>& cancelled);

} // namespace leapmark
