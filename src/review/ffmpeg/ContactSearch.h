#pragma once

#include "common/Result.h"
#include "review/ContactSuggestion.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace leapmark {

/** The frame in which the skier most likely touches the water, and how sure the search is of it. */
struct SuggestedContact
{
    std::int64_t frame = 0;
    /**
     * 0 to 1: the share of the splash's whitening by which it stands above the strongest other
     * whitening of the video. Near 1 nothing else in the video looks like a splash; below about 0.5
     * something else whitens half as much, and the frame deserves a careful look.
     */
    double confidence = 0.0;
};

/**
 * Searches a video file for its contact frame, reading it once with both cores and memory that
 * does not grow with its length. None when no splash stands out; an error naming the file when it
 * cannot be opened or read, or memory runs out. Checks `cancelled` at every frame and then gives
 * up soon, with none.
 */
[[nodiscard]] Result<std::optional<SuggestedContact>> searchContactFrame(const std::filesystem::path& video,
                                                                         const std::atomic<bool>& cancelled);

/** The same, also telling what the search saw frame by frame. */
[[nodiscard]] Result<std::optional<SuggestedContact>> searchContactFrame(const std::filesystem::path& video,
                                                                         const std::atomic<bool>& cancelled,
                                                                         ContactEvidence& evidence);

} // namespace leapmark
