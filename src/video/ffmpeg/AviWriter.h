#pragma once

#include "common/Result.h"
#include "video/VideoFormat.h"
#include "video/YuvPicture.h"
#include "video/ffmpeg/AviVideoCodec.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace leapmark {

/** Uncompressed sound stored beside the video: 8-bit unsigned or 16-bit signed little-endian PCM. */
struct AviAudioTrack
{
    int sampleRateHz = 11025;
    int channels = 1;
    int bitsPerSample = 8;
};

struct AviWriterSettings
{
    /** MJPEG quantiser scale, 2 (best, largest) to 31; fixed for every frame. */
    int quality = 3;
    /** Encoder threads (frame threading, which leaves the bytes unchanged); 0 picks one per core. */
    int encoderThreads = 0;
    AviVideoCodec codec = AviVideoCodec::Mjpeg;
    /** A sound stream, when the file has one. */
    std::optional<AviAudioTrack> audio = std::nullopt;
};

/**
 * Writes video (Motion JPEG unless the settings choose another compression) into an AVI file through FFmpeg's
 * AVI muxer: open once, write frames in order, close. The frame rate is exact (the AVI header carries it as a
 * fraction) and the quality is fixed, not left to the encoder's default bit rate. Frames are YUV 4:2:0 in the
 * range given at open: full range is stored as JPEG's own yuvj420p, limited range as yuv420p flagged as
 * limited.
 *
 * Errors name the file and the reason; a full disk (or the file-size limit reached) is told by the
 * error's kind, ErrorKind::DiskFull, so capture can say so. The file is written through a descriptor
 * of the writer's own, so every write and sync error is seen. After a failure of the file the writer
 * refuses further frames. Closing finishes the file (trailer and index) and syncs it to the disk; a
 * writer destroyed while open closes the file the same way. A close after a failure keeps the frames
 * stored whole and cuts off what follows them; a file with no frame stored is removed.
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

    /** Stores interleaved PCM samples of the sound stream given at open. */
    [[nodiscard]] Result<void> writeAudio(const std::uint8_t* bytes, std::size_t size);

    /** Pushes what has been written so far to the disk (fdatasync on the file's descriptor). */
    [[nodiscard]] Result<void> sync();

    /** Writes the frames still in the encoder, the index and the final header, and closes the file. */
    [[nodiscard]] Result<void> close();

    [[nodiscard]] bool isOpen() const;
    /** Frames handed to the encoder. */
    [[nodiscard]] std::int64_t framesWritten() const;
    /**
     * Frames whose every byte the system has taken, the header before them included; after a close,
     * the frames the file holds.
     */
    [[nodiscard]] std::int64_t framesStored() const;

private:
    struct Session;
    std::unique_ptr<Session> m_session;
    std::int64_t m_framesStoredAtClose = 0;
};

} // namespace leapmark
