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
        // Frames outside the window lie at the ends of the ordered map: go for one of those first,
        // else for the end farther from the centre.
        const auto first = m_frames.begin();
        const auto last = std::prev(m_frames.end());
        auto victim = distance(first->first) >= distance(last->first) ? first : last;
        if (inWindow(first->first) != inWindow(last->first))
            victim = inWindow(first->first) ? last : first;
        if (inWindow(victim->first) &&
            (!inWindow(frame->index) || distance(victim->first) <= distance(frame->index)))
            return;
        m_bytes -= sizeOf(*victim->second);
        m_frames.erase(victim);
    }
    m_bytes += size;
    m_frames.emplace(frame->index, std::move(frame));
}

void FrameCache::setCentre(std::int64_t index)
{
    const std::lock_guard lock(m_mutex);
    m_centre = index;
}

void FrameCache::setWindow(std::int64_t behind, std::int64_t ahead)
{
    const std::lock_guard lock(m_mutex);
    m_behind = behind;
    m_ahead = ahead;
}

bool FrameCache::inWindow(std::int64_t index) const
{
    return index >= m_centre - m_behind && index <= m_centre + m_ahead;
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
