#pragma once

#include "capture/CaptureSource.h"
#include "capture/DeviceList.h"

#include <atomic>
#include <string>
#include <vector>

struct AVFormatContext;
struct AVPacket;

namespace leapmark {

/** The ALSA sound capture devices (listed through libavdevice), keyed by their ALSA name. */
[[nodiscard]] std::vector<ListedDevice> scanAlsaDevices();

/**
 * An ALSA capture device read through libavdevice as 16-bit PCM at the rate and channel count asked
 * for; 8-bit sound is made from it (unsigned, as AVI stores 8-bit PCM).
 */
class AlsaAudioSource final : public AudioSource
{
public:
    explicit AlsaAudioSource(std::string device);
    ~AlsaAudioSource() override;
    AlsaAudioSource(const AlsaAudioSource&) = delete;
    AlsaAudioSource& operator=(const AlsaAudioSource&) = delete;

    Result<void> open(const AudioFormat& format) override;
    Result<AudioChunk> nextChunk() override;
    void close() override;
    void interrupt() override { m_interrupted = true; }

private:
    std::string m_device;
    AudioFormat m_format;
    AVFormatContext* m_input = nullptr;
    AVPacket* m_packet = nullptr;
    std::atomic<bool> m_interrupted{false};
};

} // namespace leapmark
