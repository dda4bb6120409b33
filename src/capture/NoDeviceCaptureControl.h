#pragma once

#include "capture/CaptureControl.h"

namespace leapmark {

/**
 * A capture back end with no devices at all: every list is empty and connecting fails. The start-up
 * steps of the capture panel run against it where no camera, not even the simulated one, is wanted.
 */
class NoDeviceCaptureControl final : public CaptureControl
{
public:
    std::vector<std::string> videoDevices() const override { return {}; }
    int currentVideoDevice() const override { return -1; }
    void setCurrentVideoDevice(int) override {}
    Result<void> connect(int) override { return Error("No video capture device is installed"); }
    void disconnect() override {}
    bool connected() const override { return false; }
    bool preview() const override { return m_preview; }
    Result<void> setPreview(bool on) override
    {
        m_preview = on;
        return success();
    }

    std::vector<std::string> resolutions() const override { return {}; }
    int currentResolution() const override { return -1; }
    Result<void> setCurrentResolution(int) override { return notConnected(); }
    std::vector<std::string> colorFormats() const override { return {}; }
    int currentColorFormat() const override { return -1; }
    Result<void> setCurrentColorFormat(int) override { return notConnected(); }
    std::vector<std::string> videoInputs() const override { return {}; }
    int currentVideoInput() const override { return -1; }
    Result<void> setCurrentVideoInput(int) override { return notConnected(); }
    bool channelsSupported() const override { return false; }
    int minChannel() const override { return 0; }
    int maxChannel() const override { return 0; }
    int currentChannel() const override { return 0; }
    Result<void> setCurrentChannel(int) override { return notConnected(); }

    std::vector<std::string> compressors() const override { return {}; }
    int currentCompressor() const override { return -1; }
    void setCurrentCompressor(int) override {}
    std::vector<std::string> audioDevices() const override { return {}; }
    int currentAudioDevice() const override { return -1; }
    void setCurrentAudioDevice(int) override {}
    std::vector<std::string> audioCompressors() const override { return {}; }
    int currentAudioCompressor() const override { return -1; }
    void setCurrentAudioCompressor(int) override {}
    AudioFormat audioFormat() const override { return m_audio; }
    void setAudioFormat(const AudioFormat& format) override { m_audio = format; }
    bool listening() const override { return false; }
    void setListening(bool) override {}
    std::vector<std::string> effects() const override { return {}; }
    int currentEffect() const override { return -1; }
    int findEffect(const std::string&) const override { return -1; }
    Result<void> applyEffect(int) override { return notConnected(); }
    bool dialogAvailable(CaptureDialog) const override { return false; }

    FrameOptions frameOptions() const override { return m_frameOptions; }
    void setFrameOptions(const FrameOptions& options) override { m_frameOptions = options; }
    double frameRate() const override { return m_frameRate; }
    void setFrameRate(double framesPerSecond) override { m_frameRate = framesPerSecond; }
    int timeLimitSeconds() const override { return m_timeLimit; }
    void setTimeLimitSeconds(int seconds) override { m_timeLimit = seconds; }
    std::string streamFile() const override { return m_streamFile; }
    void setStreamFile(const std::string& path) override { m_streamFile = path; }
    Result<void> grabFrame(GrabFinished) override { return notConnected(); }
    Result<void> startCapture() override { return notConnected(); }
    Result<void> stopCapture() override { return success(); }
    bool capturing() const override { return false; }
    CaptureCounters counters() const override { return {}; }

    void setListener(CaptureListener*) override {}

private:
    static Error notConnected() { return Error("No video capture device is connected"); }

    bool m_preview = false;
    AudioFormat m_audio;
    FrameOptions m_frameOptions{"testvid.jpg", false, false, false, 0, 0, 0, 0, 0, {}, {}};
    double m_frameRate = 30.0;
    int m_timeLimit = 0;
    std::string m_streamFile = "testvid.avi";
};

} // namespace leapmark
