#pragma once

#include "capture/DeviceCatalog.h"

namespace leapmark {

/** The machine's Video4Linux2 cameras and ALSA sound inputs. */
class SystemDeviceCatalog final : public DeviceCatalog
{
public:
    std::vector<ListedDevice> scanVideo() override;
    Result<std::unique_ptr<VideoDevice>> openVideo(const std::string& key) override;
    std::vector<ListedDevice> scanAudio() override;
    std::unique_ptr<AudioSource> openAudio(const std::string& key) override;
};

} // namespace leapmark
