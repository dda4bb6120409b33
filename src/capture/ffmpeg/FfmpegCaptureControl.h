#pragma once

#include "capture/BuiltInVideoDevice.h"
#include "capture/CaptureControl.h"
#include "capture/CapturePipeline.h"
#include "capture/DeviceCatalog.h"
#include "capture/DeviceList.h"
#include "capture/EventPoster.h"
#include "capture/ffmpeg/DeviceRestarter.h"
#include "capture/ffmpeg/PreviewScaler.h"
#include "capture/ffmpeg/StillGrabber.h"
#include "video/ffmpeg/AviVideoCodec.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace leapmark {

class DeviceNodeWatch;

struct CaptureBackEndOptions
{
    /** Devices listed always, after any the system has (the simulated shore camera). */
    std::vector<BuiltInVideoDevice> builtInDevices{};
    /** Watch /dev for cameras plugged in and out. */
    bool watchDevices = true;
    /** Where file names without a folder go (the application folder). */
    std::filesystem::path relativeFolder{};
    /** The compressors offered, in list order, where this FFmpeg has an encoder for them. */
    std::vector<AviVideoCodec> compressors{AviVideoCodec::Mjpeg, AviVideoCodec::Ffv1,
                                           AviVideoCodec::H264Intra};
};

/**
 * The capture control on FFmpeg: lists the system's cameras (Video4Linux2 through libavdevice) and
 * the built-in devices it is given, the compressors Motion JPEG, FFV1 and H.264 intra (list position -1,
 * "None", records uncompressed), ALSA sound inputs, and the effects as filters. Connecting starts the
 * device on the capture pipeline; a recording is an AVI written on the pipeline's writer thread.
 *
 * Every call comes from the user-interface thread, and none of them waits for the device's pictures:
 * a grabbed still is taken and written on a thread of its own, and a change of size, rate, pre-trigger,
 * colour format, input or sound restarts the device on another (DeviceRestarter), whose progress and
 * failures come as events. Connecting, disconnecting and starting or stopping a recording first wait
 * for a restart under way. Events (status, message, warning, device changes, live pictures, finished
 * stills) reach the listener through the poster, so they too arrive on that thread, and never after
 * this control is gone.
 */
class FfmpegCaptureControl final : public CaptureControl, private FrameObserver
{
public:
    FfmpegCaptureControl(EventPoster& poster, const PacingClock& clock, DeviceCatalog& catalog,
                         CaptureBackEndOptions options = {});
    ~FfmpegCaptureControl() override;
    FfmpegCaptureControl(const FfmpegCaptureControl&) = delete;
    FfmpegCaptureControl& operator=(const FfmpegCaptureControl&) = delete;

    std::vector<std::string> videoDevices() const override;
    int currentVideoDevice() const override { return m_currentVideo; }
    void setCurrentVideoDevice(int index) override;
    Result<void> connect(int index) override;
    void disconnect() override;
    bool connected() const override;
    bool preview() const override { return m_preview; }
    Result<void> setPreview(bool on) override;

    std::vector<std::string> resolutions() const override;
    int currentResolution() const override;
    Result<void> setCurrentResolution(int index) override;
    std::vector<std::string> colorFormats() const override;
    int currentColorFormat() const override;
    Result<void> setCurrentColorFormat(int index) override;
    std::vector<std::string> videoInputs() const override;
    int currentVideoInput() const override;
    Result<void> setCurrentVideoInput(int index) override;
    bool channelsSupported() const override { return false; }
    int minChannel() const override { return 0; }
    int maxChannel() const override { return 0; }
    int currentChannel() const override { return 0; }
    Result<void> setCurrentChannel(int channel) override;

    std::vector<std::string> compressors() const override;
    int currentCompressor() const override { return m_compressor; }
    void setCurrentCompressor(int index) override;
    std::vector<std::string> audioDevices() const override;
    int currentAudioDevice() const override { return m_currentAudio; }
    void setCurrentAudioDevice(int index) override;
    std::vector<std::string> audioCompressors() const override { return {}; }
    int currentAudioCompressor() const override { return -1; }
    void setCurrentAudioCompressor(int) override {}
    AudioFormat audioFormat() const override { return m_audioFormat; }
    void setAudioFormat(const AudioFormat& format) override;
    bool listening() const override { return m_listening; }
    void setListening(bool on) override { m_listening = on; }
    std::vector<std::string> effects() const override;
    int currentEffect() const override { return m_effect; }
    int findEffect(const std::string& name) const override;
    Result<void> applyEffect(int index) override;
    bool dialogAvailable(CaptureDialog dialog) const override;

    std::vector<DeviceSetting> deviceSettings() const override;
    Result<void> setDeviceSetting(int id, int value) override;
    int compressorQuality() const override { return m_quality; }
    void setCompressorQuality(int quality) override;

    FrameOptions frameOptions() const override { return m_frameOptions; }
    void setFrameOptions(const FrameOptions& options) override { m_frameOptions = options; }
    double frameRate() const override;
    void setFrameRate(double framesPerSecond) override;
    int timeLimitSeconds() const override { return m_timeLimitSeconds; }
    void setTimeLimitSeconds(int seconds) override { m_timeLimitSeconds = seconds; }
    std::string streamFile() const override { return m_streamFile; }
    void setStreamFile(const std::string& path) override { m_streamFile = path; }
    Result<void> grabFrame(GrabFinished finished) override;
    Result<void> startCapture() override;
    Result<void> stopCapture() override;
    bool capturing() const override;
    CaptureCounters counters() const override;
    double preTriggerSeconds() const override { return m_preTriggerSeconds; }
    void setPreTriggerSeconds(double seconds) override;
    std::shared_ptr<const PreviewImage> takePreviewImage() override;

    void setListener(CaptureListener* listener) override { m_slot->listener = listener; }

    /** Scans for devices again and reports what came and went as device-change events. */
    void rescanDevices();

    /** The device while one is connected (a built-in device's ground truth is read from it). */
    [[nodiscard]] VideoDevice* connectedDevice();

    /** The file a name without a folder stands for. */
    [[nodiscard]] std::filesystem::path resolvedPath(const std::string& name) const;

private:
    struct ListenerSlot
    {
        CaptureListener* listener = nullptr;
    };
    class PostedEvents;

    /** The first listing: the system's devices, then the built-in ones. */
    void listDevices();
    [[nodiscard]] static Error notConnected();
    [[nodiscard]] static Error busyRecording();
    void frameArrived(const YuvPicture& picture, std::int64_t deviceFrameNumber) override;
    /** Everything the device is started with, taken on the user-interface thread. */
    struct DeviceStart
    {
        PictureSize size;
        FrameRate rate;
        double preTriggerSeconds = 0.0;
        /** The sound device, when one is chosen. */
        std::optional<std::string> audioKey;
        AudioFormat audioFormat;
    };
    [[nodiscard]] DeviceStart deviceStart() const;
    /** Starts the pipeline on the connected device; on the user-interface or the restarter's thread. */
    [[nodiscard]] Result<void> startDevice(const DeviceStart& start);
    /** Restarts a connected device after a change on the restarter's thread (the last change wins). */
    void restartAfterChange();
    /** The restart itself, on the restarter's thread; progress and failure are posted as events. */
    void restart(const DeviceStart& start);
    [[nodiscard]] FrameRate askedRate() const;
    void post(std::function<void(CaptureListener&)> event);
    void applyScan(DeviceCategory category, std::vector<ListedDevice>& listed,
                   const std::vector<ListedDevice>& found, int& current, int* connected);

    EventPoster& m_poster;
    const PacingClock& m_clock;
    DeviceCatalog& m_catalog;
    CaptureBackEndOptions m_options;
    std::shared_ptr<ListenerSlot> m_slot = std::make_shared<ListenerSlot>();

    std::vector<ListedDevice> m_videoDevices;
    int m_currentVideo = -1;
    std::vector<ListedDevice> m_audioDevices;
    int m_currentAudio = -1;
    std::vector<AviVideoCodec> m_codecs;

    std::unique_ptr<VideoDevice> m_device;
    int m_connectedIndex = -1;
    // Written only while no restart runs, or by the restart itself.
    std::unique_ptr<AudioSource> m_audio;
    PictureSize m_size{};
    double m_framesPerSecond = 30.0;
    int m_timeLimitSeconds = 0;
    int m_compressor = 0;
    int m_quality = 3;
    AudioFormat m_audioFormat{};
    bool m_listening = false;
    int m_effect = -1;
    FrameOptions m_frameOptions{"testvid.jpg", false, false, false, 0, 0, 0, 0, 0, {}, {}};
    std::string m_streamFile = "testvid.avi";
    double m_preTriggerSeconds = 0.0;
    int m_grabCount = 0;

    // Shared with the device thread.
    std::atomic<bool> m_preview{false};
    std::atomic<bool> m_previewPending{false};
    PreviewScaler m_scaler;
    std::mutex m_frameMutex;
    std::shared_ptr<const PreviewImage> m_latestPreview;
    StillGrabber m_stills;

    std::unique_ptr<PostedEvents> m_events;
    CapturePipeline m_pipeline;
    DeviceRestarter m_restarter;
    std::unique_ptr<DeviceNodeWatch> m_watch;
};

} // namespace leapmark
