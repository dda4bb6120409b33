#include "capture/ffmpeg/SystemDeviceCatalog.h"

#include "capture/ffmpeg/AlsaAudioSource.h"
#include "capture/ffmpeg/V4l2VideoDevice.h"

namespace leapmark {

std::vector<ListedDevice> SystemDeviceCatalog::scanVideo()
{
    return scanV4l2Devices();
}

Result<std::unique_ptr<VideoDevice>> SystemDeviceCatalog::openVideo(const std::string& key)
{
    auto device = V4l2VideoDevice::open(key);
    if (!device)
        return device.error();
    return std::unique_ptr<VideoDevice>(std::move(*device));
}

std::vector<ListedDevice> SystemDeviceCatalog::scanAudio()
{
    return scanAlsaDevices();
}

std::unique_ptr<AudioSource> SystemDeviceCatalog::openAudio(const std::string& key)
{
    return std::make_unique<AlsaAudioSource>(key);
}

} // namespace leapmark
