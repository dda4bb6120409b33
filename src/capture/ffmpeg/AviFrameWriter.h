#pragma once

#include "capture/FrameWriter.h"
#include "video/VideoFormat.h"
#include "video/ffmpeg/AviWriter.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace leapmark {

/** How a recording is stored. */
struct CaptureFileSettings
{
    AviVideoCodec codec = AviVideoCodec::Mjpeg;
    /** The quantiser scale 2 (best) to 31. */
    int quality = 3;
    std::optional<AviAudioTrack> audio = std::nullopt;
};

/**
 * A recording's AVI file: full-range frames from the capture go in as the compression can store them
 * (limited range for the ones whose AVI form cannot say full range), and once a second what has been
 * written is pushed to the disk, so that after a power cut the file still holds all but its last
 * second; a failed sync fails the next write. A capture cut short has no index; our decoder reads
 * such files. A full disk or file-size limit fails with ErrorKind::DiskFull.
 */
class AviFrameWriter final : public FrameWriter
{
public:
    [[nodiscard]] static Result<std::unique_ptr<AviFrameWriter>> open(const std::filesystem::path& path,
                                                                      PictureSize size, FrameRate rate,
                                                                      const CaptureFileSettings& settings);

    Result<void> write(const YuvPicture& picture) override;
    Result<void> writeAudio(const AudioChunk& chunk) override;
    Result<void> close() override;
    std::int64_t framesStored() const override { return m_writer.framesStored(); }

    [[nodiscard]] std::int64_t framesWritten() const { return m_writer.framesWritten(); }

private:
    AviFrameWriter() = default;

    AviWriter m_writer;
    bool m_toLimitedRange = false;
    YuvPicture m_limited;
    std::int64_t m_framesPerSync = 30;
    bool m_closed = false;
};

} // namespace leapmark
