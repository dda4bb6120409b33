#pragma once

#include "common/Result.h"
#include "review/VideoFrame.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace leapmark {

/**
 * One open video file giving its frames by index (0-based) as 24-bit BGR pictures. Not thread-safe:
 * one thread drives it; the frames it hands out are immutable and may be shared with any thread.
 */
class VideoDecoder
{
public:
    virtual ~VideoDecoder() = default;

    [[nodiscard]] virtual std::int64_t frameCount() const = 0;
    [[nodiscard]] virtual double framesPerSecond() const = 0;
    [[nodiscard]] virtual int width() const = 0;
    [[nodiscard]] virtual int height() const = 0;

    /** Frame index of the video; an index outside 0 .. frameCount() - 1 is an error. */
    [[nodiscard]] virtual Result<std::shared_ptr<const VideoFrame>> frame(std::int64_t index) = 0;

    /**
     * As frame(), but gives up between two pictures once `stop` holds, with an error; the decoder
     * then stands at the last picture it decoded. For work that a more urgent frame may pre-empt.
     */
    [[nodiscard]] virtual Result<std::shared_ptr<const VideoFrame>>
    frameUnlessStopped(std::int64_t index, const std::atomic<bool>& stop)
    {
        (void)stop;
        return frame(index);
    }
};

} // namespace leapmark
