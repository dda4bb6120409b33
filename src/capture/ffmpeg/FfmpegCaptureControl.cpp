#include "capture/ffmpeg/FfmpegCaptureControl.h"

#include "capture/ffmpeg/AviFrameWriter.h"
#include "capture/ffmpeg/DeviceNodeWatch.h"
#include "capture/ffmpeg/EffectFilter.h"
#include "capture/ffmpeg/JpegStill.h"
#include "common/NumberText.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace leapmark {
namespace {

constexpr const char* builtInKeyPrefix = "built-in:";

/** The position of a built-in device in the options, from its key; -1 for a system device. */
int builtInIndex(const std::string& key)
{
    const std::string_view prefix(builtInKeyPrefix);
    int index = -1;
    if (key.rfind(prefix, 0) != 0 ||
        std::from_chars(key.data() + prefix.size(), key.data() + key.size(), index).ec != std::errc())
        return -1;
    return index;
}

Error notConnected()
{
    return Error("No video capture device is connected");
}

Error busyRecording()
{
    return Error("The capture device cannot be changed while it records");
}

/** "testvid.jpg" numbered: "testvid0001.jpg". */
std::string numberedName(const std::string& name, int number)
{
    char digits[16] = {};
    std::snprintf(digits, sizeof digits, "%04d", number);
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return name + digits;
    return name.substr(0, dot) + digits + name.substr(dot);
}

} // namespace

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
    std::vector<ListedDevice> permanent;
    for (std::size_t i = 0; i < m_options.builtInDevices.size(); ++i)
        permanent.push_back({builtInKeyPrefix + std::to_string(i), m_options.builtInDevices[i].name, true});
    m_videoDevices = initialDeviceList(m_catalog.scanVideo(), permanent);
    m_currentVideo = m_videoDevices.empty() ? -1 : 0;
    m_audioDevices = m_catalog.scanAudio();
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

// Devices and connection.

std::vector<std::string> FfmpegCaptureControl::videoDevices() const
{
    std::vector<std::string> names;
    for (const ListedDevice& device : m_videoDevices)
        names.push_back(device.name);
    return names;
}

void FfmpegCaptureControl::setCurrentVideoDevice(int index)
{
    if (index >= 0 && index < static_cast<int>(m_videoDevices.size()))
        m_currentVideo = index;
}

bool FfmpegCaptureControl::connected() const
{
    return m_device != nullptr && m_pipeline.deviceRunning();
}

Result<void> FfmpegCaptureControl::connect(int index)
{
    if (index < 0 || index >= static_cast<int>(m_videoDevices.size()))
        return Error("There is no capture device " + std::to_string(index), ErrorKind::NotFound);
    disconnect();
    const ListedDevice& listed = m_videoDevices[static_cast<std::size_t>(index)];
    const int builtIn = builtInIndex(listed.key);
    if (builtIn >= 0 && builtIn < static_cast<int>(m_options.builtInDevices.size())) {
        m_device = m_options.builtInDevices[static_cast<std::size_t>(builtIn)].make();
        if (!m_device)
            return Error("Could not start the capture device " + listed.name);
    } else {
        auto device = m_catalog.openVideo(listed.key);
        if (!device)
            return device.error();
        m_device = std::move(*device);
    }
    const std::vector<PictureSize> sizes = m_device->sizes();
    // The size chosen before stays when the new device offers it too.
    if (std::find(sizes.begin(), sizes.end(), m_size) == sizes.end())
        m_size = m_device->preferredSize();
    if (auto started = startDevice(); !started) {
        m_device.reset();
        return started;
    }
    m_connectedIndex = index;
    m_currentVideo = index;
    return success();
}

void FfmpegCaptureControl::disconnect()
{
    m_pipeline.stopDevice();
    m_audio.reset();
    m_device.reset();
    m_connectedIndex = -1;
}

VideoDevice* FfmpegCaptureControl::connectedDevice()
{
    return connected() ? m_device.get() : nullptr;
}

FrameRate FfmpegCaptureControl::askedRate() const
{
    if (auto exact = parseFrameRate(plainForm(m_framesPerSecond)))
        return *exact;
    return {30, 1};
}

Result<void> FfmpegCaptureControl::startDevice()
{
    m_audio.reset();
    AudioSource* audio = nullptr;
    if (m_currentAudio >= 0 && m_currentAudio < static_cast<int>(m_audioDevices.size())) {
        m_audio = m_catalog.openAudio(m_audioDevices[static_cast<std::size_t>(m_currentAudio)].key);
        audio = m_audio.get();
    }
    PipelineSettings settings;
    settings.preTriggerSeconds = m_preTriggerSeconds;
    auto started =
        m_pipeline.startDevice(m_device->source(), {m_size, askedRate()}, settings, audio, m_audioFormat);
    if (!started && audio) {
        // A sound device that will not open must not keep the camera from running.
        m_audio.reset();
        const std::string reason = started.error().text();
        started = m_pipeline.startDevice(m_device->source(), {m_size, askedRate()}, settings);
        if (started)
            m_events->warning("Recording without sound: " + reason);
    }
    return started;
}

Result<void> FfmpegCaptureControl::restartDevice()
{
    if (!m_device)
        return success();
    if (m_pipeline.recording())
        return busyRecording();
    m_pipeline.stopDevice();
    return startDevice();
}

void FfmpegCaptureControl::restartAfterChange()
{
    if (auto restarted = restartDevice(); !restarted)
        m_events->message(restarted.error().text());
}

Result<void> FfmpegCaptureControl::setPreview(bool on)
{
    m_preview = on;
    if (!on) {
        const std::lock_guard lock(m_frameMutex);
        m_latestPreview.reset();
    }
    return success();
}

// Formats.

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
    return restartDevice();
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
    if (auto selected = m_device->selectColourFormat(index); !selected)
        return selected;
    const std::vector<PictureSize> sizes = m_device->sizes();
    if (std::find(sizes.begin(), sizes.end(), m_size) == sizes.end())
        m_size = m_device->preferredSize();
    return restartDevice();
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
    if (auto selected = m_device->selectInput(index); !selected)
        return selected;
    return restartDevice();
}

Result<void> FfmpegCaptureControl::setCurrentChannel(int)
{
    return Error("The device has no tuner channels", ErrorKind::Unsupported);
}

// Compression, sound and effects.

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

std::vector<std::string> FfmpegCaptureControl::audioDevices() const
{
    std::vector<std::string> names;
    for (const ListedDevice& device : m_audioDevices)
        names.push_back(device.name);
    return names;
}

void FfmpegCaptureControl::setCurrentAudioDevice(int index)
{
    if (index < -1 || index >= static_cast<int>(m_audioDevices.size()) || index == m_currentAudio)
        return;
    m_currentAudio = index;
    restartAfterChange();
}

void FfmpegCaptureControl::setAudioFormat(const AudioFormat& format)
{
    const bool changed = format.sampleRateHz != m_audioFormat.sampleRateHz ||
                         format.channels != m_audioFormat.channels ||
                         format.bitsPerSample != m_audioFormat.bitsPerSample;
    m_audioFormat = format;
    if (changed && m_audio)
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

// Recording.

double FfmpegCaptureControl::frameRate() const
{
    if (m_device && m_pipeline.deviceRunning())
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

Result<void> FfmpegCaptureControl::grabFrame()
{
    if (!connected())
        return notConnected();
    std::optional<YuvPicture> picture;
    {
        std::unique_lock lock(m_frameMutex);
        m_grabWanted = true;
        m_grabbed.reset();
        const bool arrived =
            m_grabbedWake.wait_for(lock, std::chrono::seconds(2), [this] { return m_grabbed.has_value(); });
        m_grabWanted = false;
        if (!arrived)
            return Error("The capture device sent no picture to grab");
        picture = std::move(m_grabbed);
        m_grabbed.reset();
    }
    std::string name =
        m_frameOptions.frameFile.empty() ? std::string("testvid.jpg") : m_frameOptions.frameFile;
    if (m_frameOptions.autoIncrement)
        name = numberedName(name, ++m_grabCount);
    return writeJpegStill(resolvedPath(name), *picture);
}

void FfmpegCaptureControl::frameArrived(const YuvPicture& picture, std::int64_t deviceFrameNumber)
{
    {
        const std::lock_guard lock(m_frameMutex);
        if (m_grabWanted && !m_grabbed) {
            m_grabbed = picture;
            m_grabbedWake.notify_all();
        }
    }
    // One live picture at a time: while the screen has not taken the last one, newer ones pass by.
    if (!m_preview || m_previewPending.exchange(true))
        return;
    std::shared_ptr<PreviewImage> image = m_scaler.scale(picture);
    if (!image) {
        m_previewPending = false;
        return;
    }
    image->deviceFrameNumber = deviceFrameNumber;
    {
        const std::lock_guard lock(m_frameMutex);
        m_latestPreview = std::move(image);
    }
    post([](CaptureListener& listener) { listener.previewFrameReady(); });
}

std::shared_ptr<const PreviewImage> FfmpegCaptureControl::takePreviewImage()
{
    std::shared_ptr<const PreviewImage> image;
    {
        const std::lock_guard lock(m_frameMutex);
        image = std::move(m_latestPreview);
        m_latestPreview.reset();
    }
    m_previewPending = false;
    return image;
}

// Devices plugged in and out.

void FfmpegCaptureControl::rescanDevices()
{
    applyScan(DeviceCategory::Video, m_videoDevices, m_catalog.scanVideo(), m_currentVideo,
              &m_connectedIndex);
    applyScan(DeviceCategory::Audio, m_audioDevices, m_catalog.scanAudio(), m_currentAudio, nullptr);
}

void FfmpegCaptureControl::applyScan(DeviceCategory category, std::vector<ListedDevice>& listed,
                                     const std::vector<ListedDevice>& found, int& current,
                                     int* connectedIndex)
{
    const int noneLeft = category == DeviceCategory::Video ? 0 : -1;
    for (const DeviceListChange& change : applyDeviceScan(listed, found)) {
        if (change.change == DeviceChange::Removed) {
            if (connectedIndex && *connectedIndex == change.index)
                disconnect(); // its device thread has already stopped on the missing device
            else if (connectedIndex && *connectedIndex > change.index)
                --*connectedIndex;
            if (current == change.index)
                current = listed.empty() ? -1 : noneLeft;
            else if (current > change.index)
                --current;
        }
        if (current < 0 && category == DeviceCategory::Video && !listed.empty())
            current = 0;
        post([category, change](CaptureListener& listener) {
            listener.deviceChanged(category, change.change, change.index, change.name);
        });
    }
}

} // namespace leapmark
