#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace leapmark {

/** Where the splash of a landing starts in a video's whitening scores, and how clearly. */
struct SplashFinding
{
    /** The first frame that shows the splash; none when nothing whitens enough to be one. */
    std::optional<std::int64_t> start;
    /**
     * 0 to 1: the share of the splash's whitening by which it stands above the strongest other
     * whitening of the video (1 when nothing else whitens, about 0 when something else whitens as
     * much, so the suggestion then deserves a careful look).
     */
    double confidence = 0.0;
};

/**
 * Finds the splash in each frame's score of newly whitened water. A landing is the largest
 * lasting whitening of the video: the strongest stretch of a sixth of a second lies inside it,
 * counted with each frame cut down to the largest of its neighbours within a thirtieth of a second, so that a
 * single frame that jumps (a key frame of a long group of pictures) does not win. From there the splash is
 * followed back for as long as frames keep a little of its whitening, over lulls of up to a fifth of a second
 * (a small splash far away does not whiten a new block in every frame).
 */
[[nodiscard]] SplashFinding findSplash(const std::vector<float>& scores, double framesPerSecond);

} // namespace leapmark
