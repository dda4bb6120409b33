#pragma once

#include "capture/DeviceSetting.h"
#include "capture/PreviewImage.h"
#include "common/Result.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace leapmark {

/** The running counts of a capture. */
struct CaptureCounters
{
    std::int64_t totalFrames = 0;
    std::int64_t framesDropped = 0;
    std::int64_t totalSamples = 0;
    std::int64_t timeMs = 0;
    /** How many of the frames were kept from before the start (the pre-trigger buffer). */
    std::int64_t preTriggerFrames = 0;
};

/** Sound recorded beside the video. */
struct AudioFormat
{
    int sampleRateHz = 11025;
    int channels = 1;
    int bitsPerSample = 8;
};

/** Options of single-frame grabs. */
struct FrameOptions
{
    std::string frameFile;
    bool progressiveJpeg = false;
    bool autoSave = false;
    bool autoIncrement = false;
    int chromFactor = 0;
    int lumFactor = 0;
    int interval = 0;
    int captionLeft = 0;
    int captionTop = 0;
    std::string password;
    std::string caption;
};

/** The capture device's own set-up dialogs. */
enum class CaptureDialog { VideoFormat, VideoSource, Compressor, AudioFormat };

/** Kind of a device plugged in or out while the program runs. */
enum class DeviceCategory { Video, Audio };
enum class DeviceChange { Added, Removed };

/** Receives the capture back end's events, always on the user-interface thread. */
class CaptureListener
{
public:
    virtual ~CaptureListener() = default;
    /** code: 300 started, 301 ended, 320 restarting, 321 restarted, 510 counters moved (CaptureEvents.h). */
    virtual void captureStatus(int code, const std::string& text) = 0;
    virtual void captureMessage(const std::string& text) = 0;
    virtual void captureWarning(const std::string& text) = 0;
    virtual void deviceChanged(DeviceCategory category, DeviceChange change, int index,
                               const std::string& name) = 0;
    /** A new live picture is waiting in takePreviewImage(); only the latest is ever kept. */
    virtual void previewFrameReady() {}
};

/** How a still grab ended, told on the user-interface thread. */
using GrabFinished = std::function<void(const Result<void>& outcome)>;

/**
 * The capture device and its recorder: lists devices and their formats, connects, previews,
 * records a stream to a file or grabs single frames. Positions in lists are 0-based; -1 means none.
 */
class CaptureControl
{
public:
    virtual ~CaptureControl() = default;

    // Video devices and connection.
    [[nodiscard]] virtual std::vector<std::string> videoDevices() const = 0;
    [[nodiscard]] virtual int currentVideoDevice() const = 0;
    virtual void setCurrentVideoDevice(int index) = 0;
    [[nodiscard]] virtual Result<void> connect(int index) = 0;
    virtual void disconnect() = 0;
    [[nodiscard]] virtual bool connected() const = 0;
    [[nodiscard]] virtual bool preview() const = 0;
    [[nodiscard]] virtual Result<void> setPreview(bool on) = 0;

    // Formats of the connected device.
    [[nodiscard]] virtual std::vector<std::string> resolutions() const = 0;
    [[nodiscard]] virtual int currentResolution() const = 0;
    [[nodiscard]] virtual Result<void> setCurrentResolution(int index) = 0;
    [[nodiscard]] virtual std::vector<std::string> colorFormats() const = 0;
    [[nodiscard]] virtual int currentColorFormat() const = 0;
    [[nodiscard]] virtual Result<void> setCurrentColorFormat(int index) = 0;
    [[nodiscard]] virtual std::vector<std::string> videoInputs() const = 0;
    [[nodiscard]] virtual int currentVideoInput() const = 0;
    [[nodiscard]] virtual Result<void> setCurrentVideoInput(int index) = 0;
    [[nodiscard]] virtual bool channelsSupported() const = 0;
    [[nodiscard]] virtual int minChannel() const = 0;
    [[nodiscard]] virtual int maxChannel() const = 0;
    [[nodiscard]] virtual int currentChannel() const = 0;
    [[nodiscard]] virtual Result<void> setCurrentChannel(int channel) = 0;

    // Compression, audio and effects.
    [[nodiscard]] virtual std::vector<std::string> compressors() const = 0;
    [[nodiscard]] virtual int currentCompressor() const = 0;
    virtual void setCurrentCompressor(int index) = 0;
    [[nodiscard]] virtual std::vector<std::string> audioDevices() const = 0;
    [[nodiscard]] virtual int currentAudioDevice() const = 0;
    virtual void setCurrentAudioDevice(int index) = 0;
    [[nodiscard]] virtual std::vector<std::string> audioCompressors() const = 0;
    [[nodiscard]] virtual int currentAudioCompressor() const = 0;
    virtual void setCurrentAudioCompressor(int index) = 0;
    [[nodiscard]] virtual AudioFormat audioFormat() const = 0;
    virtual void setAudioFormat(const AudioFormat& format) = 0;
    [[nodiscard]] virtual bool listening() const = 0;
    virtual void setListening(bool on) = 0;
    [[nodiscard]] virtual std::vector<std::string> effects() const = 0;
    [[nodiscard]] virtual int currentEffect() const = 0;
    [[nodiscard]] virtual int findEffect(const std::string& name) const = 0;
    [[nodiscard]] virtual Result<void> applyEffect(int index) = 0;
    [[nodiscard]] virtual bool dialogAvailable(CaptureDialog dialog) const = 0;

    // What the set-up dialogs change.
    /** The connected device's own settings (the video source dialog). */
    [[nodiscard]] virtual std::vector<DeviceSetting> deviceSettings() const { return {}; }
    [[nodiscard]] virtual Result<void> setDeviceSetting(int /*id*/, int /*value*/)
    {
        return Error("The device has no settings", ErrorKind::Unsupported);
    }
    /** The compressor's quality: the quantiser scale 2 (best, largest files) to 31. */
    [[nodiscard]] virtual int compressorQuality() const { return 3; }
    virtual void setCompressorQuality(int /*quality*/) {}

    // Recording.
    [[nodiscard]] virtual FrameOptions frameOptions() const = 0;
    virtual void setFrameOptions(const FrameOptions& options) = 0;
    [[nodiscard]] virtual double frameRate() const = 0;
    virtual void setFrameRate(double framesPerSecond) = 0;
    [[nodiscard]] virtual int timeLimitSeconds() const = 0;
    virtual void setTimeLimitSeconds(int seconds) = 0;
    [[nodiscard]] virtual std::string streamFile() const = 0;
    virtual void setStreamFile(const std::string& path) = 0;
    /**
     * Grabs the device's next frame into the frame file without making the caller wait for it. A
     * refusal (no device) is returned at once and `finished` is never called; otherwise `finished`
     * hears later, on the user-interface thread, whether the still was written.
     */
    [[nodiscard]] virtual Result<void> grabFrame(GrabFinished finished) = 0;
    [[nodiscard]] virtual Result<void> startCapture() = 0;
    [[nodiscard]] virtual Result<void> stopCapture() = 0;
    [[nodiscard]] virtual bool capturing() const = 0;
    [[nodiscard]] virtual CaptureCounters counters() const = 0;
    /** Seconds of frames from before Start that each recording keeps, 0 to 3. */
    [[nodiscard]] virtual double preTriggerSeconds() const { return 0.0; }
    virtual void setPreTriggerSeconds(double /*seconds*/) {}

    /** The latest live picture, once; empty when none came since the last call. */
    [[nodiscard]] virtual std::shared_ptr<const PreviewImage> takePreviewImage() { return nullptr; }

    virtual void setListener(CaptureListener* listener) = 0;
};

} // namespace leapmark
