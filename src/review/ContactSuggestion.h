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
};

/**
 * Looks for the frame in which the skier first touches the water. A landing throws up spray and
 * foam: points of the water turn white in the picture's own light (bright, nearly colourless, and
 * well above the point's usual level, so a pale sky or the white ramp do not count) and stay white.
 * Every frame scores the points that turn white after a quiet while and are still white a few
 * frames later; points white in many frames (lettering burnt into the picture) are left out. The
 * strongest stretch of frames lies inside the splash; its start is followed back from there, and
 * the answer is the frame before it, as the spray shows a frame after the skis touch. None when no
 * frame whitens at all, or when cancelled (checked between frames). Decodes every frame once.
 */
[[nodiscard]] std::optional<std::int64_t> suggestContactFrame(VideoDecoder& decoder,
                                                              const std::atomic<bool>& cancelled,
                                                              ContactEvidence* evidence = nullptr);

} // namespace leapmark
