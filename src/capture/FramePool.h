#pragma once

#include "capture/CaptureFrame.h"

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace leapmark {

/**
 * A fixed number of frame buffers shared by a capture's threads. The device takes a buffer for every
 * frame and the writer gives it back once the frame is in the file; when every buffer is taken the
 * device gets none and the frame is lost, which is how a slow disk shows up as dropped frames instead
 * of a stalled device. Buffers are made on first use and kept for reuse.
 */
class FramePool
{
public:
    explicit FramePool(std::size_t capacity);

    /** A free buffer, or none when all are taken. Never waits. */
    [[nodiscard]] std::unique_ptr<CaptureFrame> acquire();
    void release(std::unique_ptr<CaptureFrame> frame);

    [[nodiscard]] std::size_t capacity() const { return m_capacity; }
    [[nodiscard]] std::size_t inUse() const;

private:
    const std::size_t m_capacity;
    mutable std::mutex m_mutex;
    std::vector<std::unique_ptr<CaptureFrame>> m_free;
    std::size_t m_made = 0;
};

} // namespace leapmark
