#pragma once

#include "common/Result.h"
#include "video/VideoFormat.h"
#include "video/YuvPicture.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace leapmark {

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
 * Errors name the file and the reason; a full disk (or the file-size limit reached) is told by the
 * error's kind, ErrorKind::DiskFull, so capture can say so. After a failure of the file the writer
 * refuses further frames. Closing finishes the file (trailer and index); a writer destroyed while
 * open closes the file the same way.
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

private:
    struct Session;
    std::unique_ptr<Session> m_session;
};

} // namespace leapmark
