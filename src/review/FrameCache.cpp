#include "review/FrameCache.h"

#include <algorithm>

namespace leapmark {
namespace {

std::size_t sizeOf(const VideoFrame& frame)
{
    return frame.bgr.size();
}

} // namespace

FrameCache::FrameCache(std::size_t budgetBytes) : m_budgetBytes(budgetBytes) {}

std::shared_ptr<const VideoFrame> FrameCache::find(std::int64_t index) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_frames.find(index);
    return found == m_frames.end() ? nullptr : found->second;
}

bool FrameCache::contains(std::int64_t index) const
{
    const std::lock_guard lock(m_mutex);
    return m_frames.contains(index);
}

std::int64_t FrameCache::distance(std::int64_t index) const
{
    return index > m_centre ? index - m_centre : m_centre - index;
}

void FrameCache::put(std::shared_ptr<const VideoFrame> frame, std::uint64_t generation)
{
    if (!frame)
        return;
    const std::lock_guard lock(m_mutex);
    if (generation != m_generation)
        return;
    const std::size_t size = sizeOf(*frame);
    if (size > m_budgetBytes)
        return;
    if (const auto old = m_frames.find(frame->index); old != m_frames.end()) {
        m_bytes -= sizeOf(*old->second);
        m_frames.erase(old);
    }
    while (m_bytes + size > m_budgetBytes && !m_frames.empty()) {
        // The farthest frame is at one end of the ordered map.
        auto first = m_frames.begin();
        auto last = std::prev(m_frames.end());
        auto farthest = distance(first->first) >= distance(last->first) ? first : last;
        if (distance(farthest->first) <= distance(frame->index))
            return;
        m_bytes -= sizeOf(*farthest->second);
        m_frames.erase(farthest);
    }
    m_bytes += size;
    m_frames.emplace(frame->index, std::move(frame));
}

void FrameCache::setCentre(std::int64_t index)
{
    const std::lock_guard lock(m_mutex);
    m_centre = index;
}

void FrameCache::clear(std::uint64_t generation)
{
    const std::lock_guard lock(m_mutex);
    m_generation = generation;
    m_frames.clear();
    m_bytes = 0;
}

std::size_t FrameCache::bytes() const
{
    const std::lock_guard lock(m_mutex);
    return m_bytes;
}

std::size_t FrameCache::frames() const
{
    const std::lock_guard lock(m_mutex);
    return m_frames.size();
}

std::size_t FrameCache::capacityFor(std::size_t frameBytes) const
{
    return std::max<std::size_t>(1, frameBytes == 0 ? 1 : m_budgetBytes / frameBytes);
}

} // namespace leapmark
