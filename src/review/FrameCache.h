#pragma once

#include "review/VideoFrame.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

namespace leapmark {

/**
 * Decoded frames kept around the frame being looked at, so that a step is usually a paint. Bounded
 * in bytes: when a frame does not fit, the frames farthest from the centre go first (the new one
 * too, when it is the farthest). Safe to use from the decode thread and the user-interface thread.
 */
class FrameCache
{
public:
    explicit FrameCache(std::size_t budgetBytes);

    [[nodiscard]] std::shared_ptr<const VideoFrame> find(std::int64_t index) const;
    [[nodiscard]] bool contains(std::int64_t index) const;

    /**
     * Keeps the frame, making room by dropping the frames outside the window around the centre,
     * farthest first; a frame outside the window that finds no room is not kept. Frames decoded for
     * another video than the one the cache was last cleared for are not kept either.
     */
    void put(std::shared_ptr<const VideoFrame> frame, std::uint64_t generation);

    /** The frame being looked at; distances for eviction are counted from here. */
    void setCentre(std::int64_t index);
    /** The frames behind and ahead of the centre that are kept before any other. */
    void setWindow(std::int64_t behind, std::int64_t ahead);
    /** Forgets every frame; from now on only frames of this generation are kept. */
    void clear(std::uint64_t generation);

    [[nodiscard]] std::size_t bytes() const;
    [[nodiscard]] std::size_t frames() const;
    [[nodiscard]] std::size_t budgetBytes() const { return m_budgetBytes; }

    /** How many frames of this size the budget holds (at least 1). */
    [[nodiscard]] std::size_t capacityFor(std::size_t frameBytes) const;

private:
    [[nodiscard]] std::int64_t distance(std::int64_t index) const;
    [[nodiscard]] bool inWindow(std::int64_t index) const;

    const std::size_t m_budgetBytes;
    mutable std::mutex m_mutex;
    std::map<std::int64_t, std::shared_ptr<const VideoFrame>> m_frames;
    std::size_t m_bytes = 0;
    std::int64_t m_centre = 0;
    std::int64_t m_behind = 0;
    std::int64_t m_ahead = 0;
    std::uint64_t m_generation = 0;
};

} // namespace leapmark
