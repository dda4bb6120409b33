#pragma once

#include "common/Result.h"
#include "video/VideoFormat.h"
#include "video/YuvPicture.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace leapmark {

/** Why the last call of an AviWriter failed: a full disk is its own case, so capture can say so. */
enum class AviWriteFailure { None, DiskFull, Other };

struct AviWriterSettings
{
    /** MJPEG quantiser scale, 2 (best, largest) to 31; fixed for every frame. */
    int quality = 3;
    /** Encoder threads (frame threading, which leaves the bytes unchanged); 0 picks one per core. */
    int encoderThreads = 0;
};

/**
 * Writes Motion-JPEG video into an AVI file through FFmpeg's AVI muxer: open once, write frames in
 * order, close. The frame rate is exact (the AVI header carries it as a fraction) and the quality is
 * fixed, not left to the encoder's default bit rate. Frames are YUV 4:2:0 in the range given at open:
 * full range is stored as JPEG's own yuvj420p, limited range as yuv420p flagged as limited.
 *
 * Errors name the file and the reason; after a failure the writer refuses further frames, and
 * lastFailure() tells a full disk apart from other faults. Closing finishes the file (trailer and
 * index); a writer destroyed while open closes the file the same way.
 */
class AviWriter
{
public:
    AviWriter();
    ~AviWriter();
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;
    AviWriter(AviWriter&&) noexcept;
    AviWriter& operator=(AviWriter&&) noexcept;

    /** Creates (or replaces) the file and writes its header. */
    [[nodiscard]] Result<void> open(const std::filesystem::path& path, PictureSize size, FrameRate rate,
                                    ColourRange range = ColourRange::Full, AviWriterSettings settings = {});

    /** Encodes and stores the next frame; it must have the size and range given at open. */
    [[nodiscard]] Result<void> write(const YuvPicture& frame);

    /** Writes the frames still in the encoder, the index and the final header, and closes the file. */
    [[nodiscard]] Result<void> close();

    [[nodiscard]] bool isOpen() const;
    [[nodiscard]] std::int64_t framesWritten() const;
    [[nodiscard]] AviWriteFailure lastFailure() const;

private:
    struct Session;
    std::unique_ptr<Session> m_session;
    AviWriteFailure m_lastFailure = AviWriteFailure::None;
};

} // namespace leapmark
