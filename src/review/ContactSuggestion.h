#pragma once

#include "review/VideoDecoder.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace leapmark {

/** What the search saw, frame by frame: how much newly whitened water each frame shows. */
struct ContactEvidence
{
    std::vector<double> splashScore;
    /** The first frame whose splash stood out, if any. */
    std::optional<std::int64_t> splashStart;
    /** How clearly the splash stands out: see SplashFinding::confidence. */
    double confidence = 0.0;
};

/**
 * The frame in which the skier first touches the water, from the splash a landing throws up (see
 * SplashTracker and findSplash): the frame before the splash's first, as spray shows a frame after
 * the skis touch.
 */
[[nodiscard]] std::optional<std::int64_t> contactFrameOfSplash(const std::vector<float>& scores,
                                                               double framesPerSecond,
                                                               ContactEvidence* evidence = nullptr);

/**
 * The contact frame of the video a decoder gives, decoding every frame once in order. None when
 * no splash stands out, or when cancelled (checked between frames).
 */
[[nodiscard]] std::optional<std::int64_t> suggestContactFrame(VideoDecoder& decoder,
                                                              const std::atomic<bool>& cancelled,
                                                              ContactEvidence* evidence = nullptr);

} // namespace leapmark
