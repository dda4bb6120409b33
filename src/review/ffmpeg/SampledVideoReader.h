#pragma once

#include "common/Result.h"
#include "review/SampledPicture.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

namespace leapmark {

/**
 * Reads a video once from start to end as sampled pictures (see SampledPicture), for searches
 * that look at every frame but not at every pixel. Decodes at the reduced size the decoder can
 * give (MJPEG at a half or a quarter), samples the YUV planes without converting to BGR, and uses
 * two threads: two decoders taking turns on videos of key frames only, the decoder's own threads
 * on others. Frames are numbered as the video player numbers them.
 */
class SampledVideoReader
{
public:
    using PictureTaker = std::function<void(std::int64_t frame, const SampledPicture& picture)>;

    /** Fails with a message naming the file and the reason. */
    [[nodiscard]] static Result<std::unique_ptr<SampledVideoReader>> open(const std::filesystem::path& path);
    ~SampledVideoReader();

    [[nodiscard]] double framesPerSecond() const;

    /**
     * Hands every picture that decodes to take, in order of frame (a frame that was dropped or does
     * not decode is skipped). Stops soon after cancelled is set, and at a tear in the file. Fails
     * only when nothing of the video can be read.
     */
    [[nodiscard]] Result<void> readAll(const std::atomic<bool>& cancelled, const PictureTaker& take);

    struct State;

private:
    explicit SampledVideoReader(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace leapmark
