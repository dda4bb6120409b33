#pragma once

#include "common/Result.h"
#include "review/VideoDecoder.h"

#include <filesystem>
#include <memory>

namespace leapmark {

/**
 * VideoDecoder through FFmpeg, for any container and codec FFmpeg reads. The file is opened once.
 * The next frame comes from the decoder as it stands; any other frame seeks to the key frame at
 * or before it and decodes forward to exactly that frame. A file without an index (a capture cut
 * short) is scanned once at open to learn its frames and key frames. Frames handed out may be held
 * on any thread, also after the decoder is gone.
 */
class FfmpegVideoDecoder final : public VideoDecoder
{
public:
    /**
     * Opens the file. The error's kind says what stands in the way: NotFound (no such file), Corrupt
     * (no video in it, or not readable as one), Unsupported (no decoder for its compression), Other.
     */
    [[nodiscard]] static Result<std::unique_ptr<FfmpegVideoDecoder>> open(const std::filesystem::path& path);
    ~FfmpegVideoDecoder() override;
    FfmpegVideoDecoder(const FfmpegVideoDecoder&) = delete;
    FfmpegVideoDecoder& operator=(const FfmpegVideoDecoder&) = delete;

    [[nodiscard]] std::int64_t frameCount() const override;
    [[nodiscard]] double framesPerSecond() const override;
    [[nodiscard]] int width() const override;
    [[nodiscard]] int height() const override;
    [[nodiscard]] Result<std::shared_ptr<const VideoFrame>> frame(std::int64_t index) override;
    [[nodiscard]] Result<std::shared_ptr<const VideoFrame>>
    frameUnlessStopped(std::int64_t index, const std::atomic<bool>& stop) override;

    /** What the decoder has done so far, for tests and measurements. */
    struct Statistics
    {
        std::int64_t seeks = 0;
        std::int64_t decodedFrames = 0;
        bool scannedForIndex = false;
    };
    [[nodiscard]] Statistics statistics() const;

private:
    struct State;
    explicit FfmpegVideoDecoder(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace leapmark
