#pragma once

#include "review/VideoFrame.h"

#include <cstddef>
#include <memory>

namespace leapmark {

/**
 * Recycles the buffers of decoded frames: a fresh multi-megabyte buffer for every frame would cost
 * more in page faults than the colour conversion itself. A frame handed out comes back to the pool
 * when its last holder lets go of it, on whatever thread that happens; the pool hands it out again
 * only after that. The pool may go first: frames still held are then freed when let go.
 */
class VideoFramePool
{
public:
    /** Keeps at most keptFrames frames waiting for reuse. */
    explicit VideoFramePool(std::size_t keptFrames);
    ~VideoFramePool();
    VideoFramePool(const VideoFramePool&) = delete;
    VideoFramePool& operator=(const VideoFramePool&) = delete;

    /**
     * A frame of this size with rows of dibRowBytes(width), nobody else's. A recycled frame keeps its
     * old pixels; the padding at the end of each row is zero either way.
     */
    [[nodiscard]] std::shared_ptr<VideoFrame> take(int width, int height);

    /** Frames waiting for reuse. */
    [[nodiscard]] std::size_t waitingFrames() const;

private:
    struct Shelf;
    struct ReturnToShelf;
    std::shared_ptr<Shelf> m_shelf;
};

} // namespace leapmark
