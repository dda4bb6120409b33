#include "capture/FramePool.h"

namespace leapmark {

FramePool::FramePool(std::size_t capacity) : m_capacity(capacity)
{
    m_free.reserve(capacity);
}

std::unique_ptr<CaptureFrame> FramePool::acquire()
{
    const std::lock_guard lock(m_mutex);
    if (!m_free.empty()) {
        std::unique_ptr<CaptureFrame> frame = std::move(m_free.back());
        m_free.pop_back();
        return frame;
    }
    if (m_made == m_capacity)
        return nullptr;
    ++m_made;
    return std::make_unique<CaptureFrame>();
}

void FramePool::release(std::unique_ptr<CaptureFrame> frame)
{
    if (!frame)
        return;
    const std::lock_guard lock(m_mutex);
    m_free.push_back(std::move(frame));
}

std::size_t FramePool::inUse() const
{
    const std::lock_guard lock(m_mutex);
    return m_made - m_free.size();
}

} // namespace leapmark
