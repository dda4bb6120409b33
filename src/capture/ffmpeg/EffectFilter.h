#pragma once

#include "capture/FrameWriter.h"

#include <memory>
#include <string>
#include <vector>

namespace leapmark {

/** The video effects a capture offers, by their listed names. */
enum class VideoEffect { Deinterlace, Mirror, Grayscale, Sharpen };

/** The names of the effects, in the order of VideoEffect. */
[[nodiscard]] std::vector<std::string> videoEffectNames();

/**
 * One effect as an FFmpeg filter graph working on full-range YUV 4:2:0 pictures in place:
 * Deinterlace blends each frame's two fields (kerndeint, so no frame is held back), Mirror flips left
 * and right, Grayscale removes the colour, Sharpen is an unsharp mask. The graph is made for the first
 * picture's size and remade when the size changes. Used by one thread at a time.
 */
class EffectFilter final : public FrameFilter
{
public:
    explicit EffectFilter(VideoEffect effect);
    ~EffectFilter() override;
    EffectFilter(const EffectFilter&) = delete;
    EffectFilter& operator=(const EffectFilter&) = delete;

    Result<void> apply(YuvPicture& picture) override;

    /** The filter description the effect runs as. */
    [[nodiscard]] static std::string filterText(VideoEffect effect);

private:
    struct Graph;
    VideoEffect m_effect;
    std::unique_ptr<Graph> m_graph;
};

} // namespace leapmark
