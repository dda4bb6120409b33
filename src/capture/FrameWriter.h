#pragma once

#include "capture/CaptureFrame.h"
#include "common/Result.h"

namespace leapmark {

/** The file a recording goes into, fed from the pipeline's writer thread only. */
class FrameWriter
{
public:
    virtual ~FrameWriter() = default;
    [[nodiscard]] virtual Result<void> write(const YuvPicture& picture) = 0;
    [[nodiscard]] virtual Result<void> writeAudio(const AudioChunk& chunk) = 0;
    /**
     * Finishes the file; after a failed write it keeps the frames stored whole and reports that
     * failure again. A file that holds no frame after a failure is removed.
     */
    [[nodiscard]] virtual Result<void> close() = 0;
    /** The frames wholly on the disk so far (not those still buffered); after close, those the file holds. */
    [[nodiscard]] virtual std::int64_t framesStored() const = 0;
};

/** An effect applied to every frame on its way from the device (mirror, grayscale...). */
class FrameFilter
{
public:
    virtual ~FrameFilter() = default;
    [[nodiscard]] virtual Result<void> apply(YuvPicture& picture) = 0;
};

/** Sees every frame the device delivers, on the device thread (for the preview and single grabs). */
class FrameObserver
{
public:
    virtual ~FrameObserver() = default;
    virtual void frameArrived(const YuvPicture& picture, std::int64_t deviceFrameNumber) = 0;
};

} // namespace leapmark
