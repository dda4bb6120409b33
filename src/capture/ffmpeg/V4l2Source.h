#pragma once

#include "capture/CaptureSource.h"

#include <atomic>
#include <optional>
#include <string>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace leapmark {

/** What a V4L2 device is opened with beyond the size and rate. */
struct V4l2StreamChoice
{
    /** FFmpeg's name of the device's pixel format ("yuyv422", "mjpeg"...); empty for the device's own. */
    std::string inputFormat;
    /** The video input; empty for the device's current one. */
    std::optional<int> input;
};

/**
 * A Video4Linux2 camera or capture card read through libavdevice: each frame is decoded (raw or
 * Motion JPEG, whatever the device sends) and scaled into a full-range YUV 4:2:0 picture of the size
 * asked for. Frame numbers come from the device's timestamps, so frames the driver lost show as gaps.
 */
class V4l2Source final : public CaptureSource
{
public:
    V4l2Source(std::string devicePath, V4l2StreamChoice choice);
    ~V4l2Source() override;
    V4l2Source(const V4l2Source&) = delete;
    V4l2Source& operator=(const V4l2Source&) = delete;

    void setChoice(V4l2StreamChoice choice) { m_choice = std::move(choice); }

    Result<void> open(const SourceFormat& format) override;
    Result<void> waitForFrame() override;
    Result<std::int64_t> takeFrame(YuvPicture* picture) override;
    void close() override;
    void interrupt() override { m_interrupted = true; }

    /** The rate the device agreed to, once open. */
    [[nodiscard]] FrameRate deliveredRate() const { return m_deliveredRate; }

private:
    [[nodiscard]] Result<void> convert(const AVFrame* frame, YuvPicture& picture);
    [[nodiscard]] std::int64_t frameNumberOf(std::int64_t timestamp);

    std::string m_path;
    V4l2StreamChoice m_choice;
    SourceFormat m_format;
    FrameRate m_deliveredRate;
    AVFormatContext* m_input = nullptr;
    AVCodecContext* m_decoder = nullptr;
    AVPacket* m_packet = nullptr;
    AVFrame* m_frame = nullptr;
    SwsContext* m_scaler = nullptr;
    int m_stream = -1;
    std::optional<std::int64_t> m_firstTimestamp;
    std::int64_t m_lastNumber = -1;
    std::atomic<bool> m_interrupted{false};
};

} // namespace leapmark
