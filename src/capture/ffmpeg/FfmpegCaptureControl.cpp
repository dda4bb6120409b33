#include "capture/ffmpeg/FfmpegCaptureControl.h"

#include "capture/ffmpeg/DeviceNodeWatch.h"
#include "common/NumberText.h"

#include <exception>
#include <string>

namespace leapmark {

/** Pipeline events, handed to the listener on the user-interface thread. */
class FfmpegCaptureControl::PostedEvents final : public CaptureEvents
{
public:
    explicit PostedEvents(FfmpegCaptureControl& control) : m_control(control) {}
    void status(int code, const std::string& text) override
    {
        m_control.post([code, text](CaptureListener& listener) { listener.captureStatus(code, text); });
    }
    void message(const std::string& text) override
    {
        m_control.post([text](CaptureListener& listener) { listener.captureMessage(text); });
    }
    void warning(const std::string& text) override
    {
        m_control.post([text](CaptureListener& listener) { listener.captureWarning(text); });
    }

private:
    FfmpegCaptureControl& m_control;
};

FfmpegCaptureControl::FfmpegCaptureControl(EventPoster& poster, const PacingClock& clock,
                                           DeviceCatalog& catalog, CaptureBackEndOptions options)
    : m_poster(poster), m_clock(clock), m_catalog(catalog), m_options(std::move(options)),
      m_events(std::make_unique<PostedEvents>(*this)), m_pipeline(clock, *m_events)
{
    listDevices();
    for (const AviVideoCodec codec : m_options.compressors)
        if (findAviEncoder(codec))
            m_codecs.push_back(codec);
    // With no encoder at all the recording is uncompressed ("None").
    m_compressor = m_codecs.empty() ? -1 : 0;
    m_pipeline.setObserver(this);
    if (m_options.watchDevices) {
        std::weak_ptr<ListenerSlot> alive = m_slot;
        m_watch = std::make_unique<DeviceNodeWatch>("/dev", "video", [this, alive] {
            m_poster.post([this, alive] {
                if (alive.lock())
                    rescanDevices();
            });
        });
    }
}

FfmpegCaptureControl::~FfmpegCaptureControl()
{
    m_watch.reset();
    m_slot->listener = nullptr;
    m_restarter.cancel();
    m_pipeline.stopDevice();
}

void FfmpegCaptureControl::post(std::function<void(CaptureListener&)> event)
{
    std::weak_ptr<ListenerSlot> alive = m_slot;
    m_poster.post([alive, event = std::move(event)] {
        if (const auto slot = alive.lock(); slot && slot->listener)
            event(*slot->listener);
    });
}

std::filesystem::path FfmpegCaptureControl::resolvedPath(const std::string& name) const
{
    const std::filesystem::path path(name);
    if (path.is_absolute() || m_options.relativeFolder.empty())
        return path;
    return m_options.relativeFolder / path;
}

Error FfmpegCaptureControl::notConnected()
{
    return Error("No video capture device is connected");
}

Error FfmpegCaptureControl::busyRecording()
{
    return Error("The capture device cannot be changed while it records");
}

// Running the device.

FrameRate FfmpegCaptureControl::askedRate() const
{
    if (auto exact = parseFrameRate(plainForm(m_framesPerSecond)))
        return *exact;
    return {30, 1};
}

FfmpegCaptureControl::DeviceStart FfmpegCaptureControl::deviceStart() const
{
    DeviceStart start{m_size, askedRate(), m_preTriggerSeconds, std::nullopt, m_audioFormat};
    if (m_currentAudio >= 0 && m_currentAudio < static_cast<int>(m_audioDevices.size()))
        start.audioKey = m_audioDevices[static_cast<std::size_t>(m_currentAudio)].key;
    return start;
}

Result<void> FfmpegCaptureControl::startDevice(const DeviceStart& start)
{
    m_audio.reset();
    if (start.audioKey)
        m_audio = m_catalog.openAudio(*start.audioKey);
    PipelineSettings settings;
    settings.preTriggerSeconds = start.preTriggerSeconds;
    const SourceFormat format{start.size, start.rate};
    auto started =
        m_pipeline.startDevice(m_device->source(), format, settings, m_audio.get(), start.audioFormat);
    if (!started && m_audio) {
        // A sound device that will not open must not keep the camera from running.
        m_audio.reset();
        const std::string reason = started.error().text();
        started = m_pipeline.startDevice(m_device->source(), format, settings);
        if (started)
            m_events->warning("Recording without sound: " + reason);
    }
    return started;
}

void FfmpegCaptureControl::restartAfterChange()
{
    if (!m_device)
        return;
    if (m_pipeline.recording()) {
        m_events->message(busyRecording().text());
        return;
    }
    m_restarter.schedule([this, start = deviceStart()] { restart(start); });
}

void FfmpegCaptureControl::restart(const DeviceStart& start)
{
    const std::string format = sizeText(start.size) + ", " + frameRateText(start.rate) + " frames/s";
    try {
        m_events->status(capture_status::restarting, "Starting the capture device again at " + format);
        m_pipeline.stopDevice();
        if (auto started = startDevice(start); !started) {
            m_events->message(started.error().text());
            return;
        }
        m_events->status(capture_status::restarted, "The capture device runs at " + format);
    } catch (const std::exception& failure) {
        m_events->message("The capture device could not start again: " + std::string(failure.what()));
    }
}

} // namespace leapmark
