#pragma once

#include "capture/CaptureControl.h"

#include <optional>
#include <string>
#include <vector>

namespace leapmark::testing {

/**
 * A capture back end whose devices, formats and current entries a test sets as it likes. It
 * remembers what the program set, so tests can check what reached the device. Nothing is recorded.
 */
class FakeCaptureControl final : public CaptureControl
{
public:
    // What the device offers; set by the test.
    std::vector<std::string> devices;
    std::vector<std::string> resolutionList;
    std::vector<std::string> colorFormatList;
    std::vector<std::string> inputList;
    std::vector<std::string> compressorList;
    std::vector<std::string> audioDeviceList;
    std::vector<std::string> audioCompressorList;
    std::vector<std::string> effectList;
    bool channels = false;
    int channelMin = 0;
    int channelMax = 0;
    bool dialogs = false;

    // Current entries; the program's calls change them.
    int device = -1;
    bool isConnected = false;
    bool previewOn = false;
    int resolution = 0;
    int colorFormat = 0;
    int input = 0;
    int channel = 0;
    int compressor = -1;
    int audioDevice = -1;
    int audioCompressor = -1;
    int effect = -1;
    AudioFormat audio;
    bool listen = false;
    FrameOptions frame{"testvid.jpg", false, false, false, 0, 0, 0, 0, 0, {}, {}};
    double rate = 30.0;
    int limitSeconds = 0;
    std::string stream = "testvid.avi";
    int connectCount = 0;
    // Recording: what the counters say, and what the program asked for.
    CaptureCounters counts;
    int startCount = 0;
    int stopCount = 0;
    bool recording = false;
    std::optional<Error> startFailure;
    /** The next stop reports this once, as a recording whose file could not be finished. */
    std::optional<Error> stopFailure;
    std::optional<Error> connectFailure;
    /** Refuses every change of a format, input, channel or effect. */
    std::optional<Error> setFailure;
    double preTrigger = 0.0;
    CaptureListener* listener = nullptr;

    std::vector<std::string> videoDevices() const override { return devices; }
    int currentVideoDevice() const override { return device; }
    void setCurrentVideoDevice(int index) override { device = index; }
    Result<void> connect(int index) override
    {
        ++connectCount;
        if (connectFailure)
            return *connectFailure;
        if (index < 0 || index >= static_cast<int>(devices.size()))
            return Error("There is no capture device " + std::to_string(index));
        device = index;
        isConnected = true;
        return success();
    }
    void disconnect() override { isConnected = false; }
    bool connected() const override { return isConnected; }
    bool preview() const override { return previewOn; }
    Result<void> setPreview(bool on) override
    {
        previewOn = on;
        return success();
    }

    std::vector<std::string> resolutions() const override { return resolutionList; }
    int currentResolution() const override { return resolution; }
    Result<void> setCurrentResolution(int index) override { return set(resolution, index); }
    std::vector<std::string> colorFormats() const override { return colorFormatList; }
    int currentColorFormat() const override { return colorFormat; }
    Result<void> setCurrentColorFormat(int index) override { return set(colorFormat, index); }
    std::vector<std::string> videoInputs() const override { return inputList; }
    int currentVideoInput() const override { return input; }
    Result<void> setCurrentVideoInput(int index) override { return set(input, index); }
    bool channelsSupported() const override { return channels; }
    int minChannel() const override { return channelMin; }
    int maxChannel() const override { return channelMax; }
    int currentChannel() const override { return channel; }
    Result<void> setCurrentChannel(int value) override { return set(channel, value); }

    std::vector<std::string> compressors() const override { return compressorList; }
    int currentCompressor() const override { return compressor; }
    void setCurrentCompressor(int index) override { compressor = index; }
    std::vector<std::string> audioDevices() const override { return audioDeviceList; }
    int currentAudioDevice() const override { return audioDevice; }
    void setCurrentAudioDevice(int index) override { audioDevice = index; }
    std::vector<std::string> audioCompressors() const override { return audioCompressorList; }
    int currentAudioCompressor() const override { return audioCompressor; }
    void setCurrentAudioCompressor(int index) override { audioCompressor = index; }
    AudioFormat audioFormat() const override { return audio; }
    void setAudioFormat(const AudioFormat& format) override { audio = format; }
    bool listening() const override { return listen; }
    void setListening(bool on) override { listen = on; }
    std::vector<std::string> effects() const override { return effectList; }
    int currentEffect() const override { return effect; }
    int findEffect(const std::string& name) const override
    {
        for (std::size_t i = 0; i < effectList.size(); ++i)
            if (effectList[i] == name)
                return static_cast<int>(i);
        return -1;
    }
    Result<void> applyEffect(int index) override { return set(effect, index); }
    bool dialogAvailable(CaptureDialog) const override { return dialogs; }

    FrameOptions frameOptions() const override { return frame; }
    void setFrameOptions(const FrameOptions& options) override { frame = options; }
    double frameRate() const override { return rate; }
    void setFrameRate(double framesPerSecond) override { rate = framesPerSecond; }
    int timeLimitSeconds() const override { return limitSeconds; }
    void setTimeLimitSeconds(int seconds) override { limitSeconds = seconds; }
    std::string streamFile() const override { return stream; }
    void setStreamFile(const std::string& path) override { stream = path; }
    Result<void> grabFrame(GrabFinished finished) override
    {
        if (finished)
            finished(success());
        return success();
    }
    Result<void> startCapture() override
    {
        ++startCount;
        if (startFailure)
            return *startFailure;
        recording = true;
        return success();
    }
    Result<void> stopCapture() override
    {
        ++stopCount;
        recording = false;
        if (stopFailure) {
            Error failure = *stopFailure;
            stopFailure.reset();
            return failure;
        }
        return success();
    }
    bool capturing() const override { return recording; }
    CaptureCounters counters() const override { return counts; }
    double preTriggerSeconds() const override { return preTrigger; }
    void setPreTriggerSeconds(double seconds) override { preTrigger = seconds; }

    void setListener(CaptureListener* receiver) override { listener = receiver; }

private:
    Result<void> set(int& entry, int value)
    {
        if (setFailure)
            return *setFailure;
        entry = value;
        return success();
    }
};

} // namespace leapmark::testing
