#include "review/VideoFramePool.h"

#include <mutex>
#include <vector>

namespace leapmark {

struct VideoFramePool::Shelf
{
    explicit Shelf(std::size_t capacity) : capacity(capacity) {}

    const std::size_t capacity;
    mutable std::mutex mutex;
    std::vector<std::unique_ptr<VideoFrame>> waiting;

    void putBack(std::unique_ptr<VideoFrame> frame)
    {
        const std::lock_guard lock(mutex);
        if (waiting.size() < capacity)
            waiting.push_back(std::move(frame));
    }
};

/** Deleter of the frames handed out: back to the shelf while it exists, else freed. */
struct VideoFramePool::ReturnToShelf
{
    std::weak_ptr<Shelf> shelf;

    void operator()(VideoFrame* released) const
    {
        std::unique_ptr<VideoFrame> frame(released);
        if (const auto alive = shelf.lock())
            alive->putBack(std::move(frame));
    }
};

VideoFramePool::VideoFramePool(std::size_t keptFrames) : m_shelf(std::make_shared<Shelf>(keptFrames)) {}

VideoFramePool::~VideoFramePool() = default;

std::shared_ptr<VideoFrame> VideoFramePool::take(int width, int height)
{
    std::unique_ptr<VideoFrame> frame;
    {
        const std::lock_guard lock(m_shelf->mutex);
        if (!m_shelf->waiting.empty()) {
            frame = std::move(m_shelf->waiting.back());
            m_shelf->waiting.pop_back();
        }
    }
    if (!frame)
        frame = std::make_unique<VideoFrame>();
    const int bytesPerLine = dibRowBytes(width);
    const std::size_t bytes = static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height);
    if (frame->width != width || frame->height != height || frame->bgr.size() != bytes)
        frame->bgr.assign(bytes, 0);
    frame->width = width;
    frame->height = height;
    frame->bytesPerLine = bytesPerLine;
    return {frame.release(), ReturnToShelf{m_shelf}};
}

std::size_t VideoFramePool::waitingFrames() const
{
    const std::lock_guard lock(m_shelf->mutex);
    return m_shelf->waiting.size();
}

} // namespace leapmark
