#pragma once

#include "review/VideoDecoder.h"

#include <atomic>
#include <cstdint>
#include <optional>

namespace leapmark {

/**
 * Looks for the frame in which the skier first touches the water: the first frame where the water
 * below the flight path starts to be churned up and keeps on changing, from differences between
 * frames. None when the video shows no such moment, or when cancelled (checked between frames).
 */
[[nodiscard]] std::optional<std::int64_t> suggestContactFrame(VideoDecoder& decoder,
                                                              const std::atomic<bool>& cancelled);

} // namespace leapmark
