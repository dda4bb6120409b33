#include "capture/ffmpeg/AlsaAudioSource.h"

#include "capture/DeviceList.h"
#include "video/ffmpeg/FfmpegReason.h"

#include <cstring>

extern "C" {
#include <libavdevice/avdevice.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
}

namespace leapmark {

std::vector<ListedDevice> scanAlsaDevices()
{
    avdevice_register_all();
    std::vector<ListedDevice> devices;
    const AVInputFormat* alsa = av_find_input_format("alsa");
    if (!alsa)
        return devices;
    AVDeviceInfoList* list = nullptr;
    if (avdevice_list_input_sources(alsa, nullptr, nullptr, &list) >= 0 && list) {
        for (int i = 0; i < list->nb_devices; ++i) {
            const AVDeviceInfo* info = list->devices[i];
            if (!info || !info->device_name)
                continue;
            const std::string key = info->device_name;
            devices.push_back(
                {key, soundInputName(key, info->device_description ? info->device_description : ""), false});
        }
    }
    avdevice_free_list_devices(&list);
    return devices;
}

AlsaAudioSource::AlsaAudioSource(std::string device) : m_device(std::move(device)) {}

AlsaAudioSource::~AlsaAudioSource()
{
    close();
}

Result<void> AlsaAudioSource::open(const AudioFormat& format)
{
    close();
    avdevice_register_all();
    const AVInputFormat* alsa = av_find_input_format("alsa");
    if (!alsa)
        return Error("This FFmpeg cannot read ALSA sound devices", ErrorKind::Unsupported);
    m_format = format;
    m_interrupted = false;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "sample_rate", std::to_string(format.sampleRateHz).c_str(), 0);
    av_dict_set(&options, "channels", std::to_string(format.channels).c_str(), 0);
    m_input = avformat_alloc_context();
    m_input->interrupt_callback = {interruptRequested, &m_interrupted};
    const int code = avformat_open_input(&m_input, m_device.c_str(), alsa, &options);
    av_dict_free(&options);
    if (code < 0) {
        m_input = nullptr;
        return Error("Could not open the sound device " + m_device + ": " + ffmpegReason(code));
    }
    m_packet = av_packet_alloc();
    return success();
}

void AlsaAudioSource::close()
{
    av_packet_free(&m_packet);
    if (m_input)
        avformat_close_input(&m_input);
}

Result<AudioChunk> AlsaAudioSource::nextChunk()
{
    if (!m_input)
        return Error("The sound device " + m_device + " is not open");
    av_packet_unref(m_packet);
    const int code = av_read_frame(m_input, m_packet);
    if (code < 0)
        return Error("Could not read from the sound device " + m_device + ": " + ffmpegReason(code));
    AudioChunk chunk;
    const std::size_t samples = static_cast<std::size_t>(m_packet->size) / 2;
    const auto* pcm = reinterpret_cast<const std::uint8_t*>(m_packet->data);
    if (m_format.bitsPerSample == 8) {
        chunk.bytes.resize(samples);
        for (std::size_t i = 0; i < samples; ++i)
            chunk.bytes[i] = static_cast<std::uint8_t>(pcm[2 * i + 1] ^ 0x80); // high byte, made unsigned
    } else {
        chunk.bytes.assign(pcm, pcm + samples * 2);
    }
    chunk.sampleFrames = static_cast<std::int64_t>(samples) / std::max(1, m_format.channels);
    return chunk;
}

} // namespace leapmark
