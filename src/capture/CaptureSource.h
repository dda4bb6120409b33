#pragma once

#include "capture/CaptureControl.h"
#include "capture/CaptureFrame.h"
#include "common/Result.h"
#include "video/VideoFormat.h"

#include <cstdint>

namespace leapmark {

/** The picture a video device is asked to deliver. */
struct SourceFormat
{
    PictureSize size{640, 480};
    FrameRate rate{30, 1};

    friend bool operator==(const SourceFormat&, const SourceFormat&) = default;
};

/**
 * A live video device as the capture pipeline drives it from its device thread: open, then frame
 * after frame at the device's own pace, then close. Pictures are full-range YUV 4:2:0 of the size
 * opened.
 */
class CaptureSource
{
public:
    virtual ~CaptureSource() = default;

    [[nodiscard]] virtual Result<void> open(const SourceFormat& format) = 0;

    /** Waits until the device has its next frame ready. */
    [[nodiscard]] virtual Result<void> waitForFrame() = 0;

    /**
     * Takes the frame waited for and returns its number. With a picture the frame is stored in it;
     * without one (no buffer was free) the frame is thrown away.
     */
    [[nodiscard]] virtual Result<std::int64_t> takeFrame(YuvPicture* picture) = 0;

    virtual void close() = 0;

    /** Asks a waiting waitForFrame() to give up soon; may be called from any thread. */
    virtual void interrupt() {}

    /** Recording has just begun; called from the thread that started it. */
    virtual void recordingStarted() {}
};

/** A live sound device, driven from the pipeline's audio thread. */
class AudioSource
{
public:
    virtual ~AudioSource() = default;
    [[nodiscard]] virtual Result<void> open(const AudioFormat& format) = 0;
    /** Waits for the next block of samples. */
    [[nodiscard]] virtual Result<AudioChunk> nextChunk() = 0;
    virtual void close() = 0;
    virtual void interrupt() {}
};

} // namespace leapmark
