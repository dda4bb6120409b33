// The capture control's recording: compression, sound format, pre-trigger, start and stop.
#include "capture/ffmpeg/FfmpegCaptureControl.h"

#include "capture/ffmpeg/AviFrameWriter.h"

#include <algorithm>
#include <chrono>

namespace leapmark {

std::vector<std::string> FfmpegCaptureControl::compressors() const
{
    std::vector<std::string> names;
    for (const AviVideoCodec codec : m_codecs)
        names.emplace_back(aviVideoCodecName(codec));
    return names;
}

void FfmpegCaptureControl::setCurrentCompressor(int index)
{
    if (index >= -1 && index < static_cast<int>(m_codecs.size()))
        m_compressor = index;
}

void FfmpegCaptureControl::setCompressorQuality(int quality)
{
    m_quality = std::clamp(quality, 2, 31);
}

void FfmpegCaptureControl::setAudioFormat(const AudioFormat& format)
{
    const bool changed = format.sampleRateHz != m_audioFormat.sampleRateHz ||
                         format.channels != m_audioFormat.channels ||
                         format.bitsPerSample != m_audioFormat.bitsPerSample;
    m_audioFormat = format;
    if (changed && m_currentAudio >= 0)
        restartAfterChange();
}

void FfmpegCaptureControl::setPreTriggerSeconds(double seconds)
{
    seconds = std::clamp(seconds, 0.0, largestPreTriggerSeconds);
    if (seconds == m_preTriggerSeconds)
        return;
    m_preTriggerSeconds = seconds;
    if (m_device && !m_pipeline.recording())
        restartAfterChange();
}

Result<void> FfmpegCaptureControl::startCapture()
{
    // The recording takes the size and rate of the last change, so a restart under way finishes first.
    m_restarter.settle();
    if (!connected())
        return notConnected();
    if (m_pipeline.recording())
        return Error("The capture is already recording");
    CaptureFileSettings file;
    file.codec =
        m_compressor < 0 ? AviVideoCodec::Uncompressed : m_codecs[static_cast<std::size_t>(m_compressor)];
    file.quality = m_quality;
    if (m_audio)
        file.audio =
            AviAudioTrack{m_audioFormat.sampleRateHz, m_audioFormat.channels, m_audioFormat.bitsPerSample};
    const SourceFormat format = m_pipeline.format();
    auto writer = AviFrameWriter::open(resolvedPath(m_streamFile), format.size,
                                       m_device->deliveredRate(format.rate), file);
    if (!writer)
        return writer.error();
    return m_pipeline.startRecording(std::move(*writer),
                                     std::chrono::seconds(std::max(0, m_timeLimitSeconds)));
}

Result<void> FfmpegCaptureControl::stopCapture()
{
    m_restarter.settle();
    return m_pipeline.stopRecording();
}

bool FfmpegCaptureControl::capturing() const
{
    return m_pipeline.recording();
}

CaptureCounters FfmpegCaptureControl::counters() const
{
    return m_pipeline.counters();
}
} // namespace leapmark
