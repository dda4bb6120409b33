// The capture control's picture formats: sizes, colour formats, inputs, rate, effects and the device's own
// settings.
#include "capture/ffmpeg/FfmpegCaptureControl.h"

#include "capture/ffmpeg/EffectFilter.h"

#include <algorithm>

namespace leapmark {

std::vector<std::string> FfmpegCaptureControl::resolutions() const
{
    std::vector<std::string> names;
    if (m_device)
        for (const PictureSize size : m_device->sizes())
            names.push_back(sizeText(size));
    return names;
}

int FfmpegCaptureControl::currentResolution() const
{
    if (!m_device)
        return -1;
    const std::vector<PictureSize> sizes = m_device->sizes();
    const auto found = std::find(sizes.begin(), sizes.end(), m_size);
    return found == sizes.end() ? -1 : static_cast<int>(found - sizes.begin());
}

Result<void> FfmpegCaptureControl::setCurrentResolution(int index)
{
    if (!m_device)
        return notConnected();
    const std::vector<PictureSize> sizes = m_device->sizes();
    if (index < 0 || index >= static_cast<int>(sizes.size()))
        return Error("The device has no resolution " + std::to_string(index), ErrorKind::NotFound);
    if (sizes[static_cast<std::size_t>(index)] == m_size)
        return success();
    if (m_pipeline.recording())
        return busyRecording();
    m_size = sizes[static_cast<std::size_t>(index)];
    restartAfterChange();
    return success();
}

std::vector<std::string> FfmpegCaptureControl::colorFormats() const
{
    return m_device ? m_device->colourFormats() : std::vector<std::string>{};
}

int FfmpegCaptureControl::currentColorFormat() const
{
    return m_device ? m_device->currentColourFormat() : -1;
}

Result<void> FfmpegCaptureControl::setCurrentColorFormat(int index)
{
    if (!m_device)
        return notConnected();
    if (index == m_device->currentColourFormat())
        return success();
    if (m_pipeline.recording())
        return busyRecording();
    // The device's own choice changes only while no restart opens it.
    m_restarter.settle();
    if (auto selected = m_device->selectColourFormat(index); !selected)
        return selected;
    const std::vector<PictureSize> sizes = m_device->sizes();
    if (std::find(sizes.begin(), sizes.end(), m_size) == sizes.end())
        m_size = m_device->preferredSize();
    restartAfterChange();
    return success();
}

std::vector<std::string> FfmpegCaptureControl::videoInputs() const
{
    return m_device ? m_device->inputs() : std::vector<std::string>{};
}

int FfmpegCaptureControl::currentVideoInput() const
{
    return m_device ? m_device->currentInput() : -1;
}

Result<void> FfmpegCaptureControl::setCurrentVideoInput(int index)
{
    if (!m_device)
        return notConnected();
    if (index == m_device->currentInput())
        return success();
    if (m_pipeline.recording())
        return busyRecording();
    m_restarter.settle();
    if (auto selected = m_device->selectInput(index); !selected)
        return selected;
    restartAfterChange();
    return success();
}

Result<void> FfmpegCaptureControl::setCurrentChannel(int)
{
    return Error("The device has no tuner channels", ErrorKind::Unsupported);
}

double FfmpegCaptureControl::frameRate() const
{
    // While the device starts again, what it will deliver is not known yet.
    if (m_device && m_pipeline.deviceRunning() && !m_restarter.busy())
        return m_device->deliveredRate(askedRate()).framesPerSecond();
    return m_framesPerSecond;
}

void FfmpegCaptureControl::setFrameRate(double framesPerSecond)
{
    if (!(framesPerSecond >= 1.0) || framesPerSecond == m_framesPerSecond)
        return;
    m_framesPerSecond = framesPerSecond;
    if (m_device && !m_pipeline.recording())
        restartAfterChange();
}

std::vector<std::string> FfmpegCaptureControl::effects() const
{
    return videoEffectNames();
}

int FfmpegCaptureControl::findEffect(const std::string& name) const
{
    const std::vector<std::string> names = videoEffectNames();
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

Result<void> FfmpegCaptureControl::applyEffect(int index)
{
    if (index == -1) {
        m_pipeline.setFilter(nullptr);
        m_effect = -1;
        return success();
    }
    if (index < 0 || index >= static_cast<int>(videoEffectNames().size()))
        return Error("There is no effect " + std::to_string(index), ErrorKind::NotFound);
    auto filter = std::make_shared<EffectFilter>(static_cast<VideoEffect>(index));
    // Tried on a small picture first, so an effect this FFmpeg lacks is refused here and not per frame.
    YuvPicture trial({64, 64}, ColourRange::Full);
    if (auto tried = filter->apply(trial); !tried)
        return tried;
    m_pipeline.setFilter(std::move(filter));
    m_effect = index;
    return success();
}

bool FfmpegCaptureControl::dialogAvailable(CaptureDialog dialog) const
{
    switch (dialog) {
    case CaptureDialog::VideoFormat:
    case CaptureDialog::VideoSource:
        return m_device != nullptr && !m_device->settings().empty();
    case CaptureDialog::Compressor:
        return m_compressor >= 0 && m_codecs[static_cast<std::size_t>(m_compressor)] != AviVideoCodec::Ffv1;
    case CaptureDialog::AudioFormat:
        return m_currentAudio >= 0;
    }
    return false;
}

std::vector<DeviceSetting> FfmpegCaptureControl::deviceSettings() const
{
    return m_device ? m_device->settings() : std::vector<DeviceSetting>{};
}

Result<void> FfmpegCaptureControl::setDeviceSetting(int id, int value)
{
    if (!m_device)
        return notConnected();
    return m_device->changeSetting(id, value);
}
} // namespace leapmark
