#pragma once

#include "capture/CaptureSource.h"
#include "capture/DeviceList.h"
#include "capture/VideoDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace leapmark {

/** Where the capture control finds the system's devices; tests give their own. */
class DeviceCatalog
{
public:
    virtual ~DeviceCatalog() = default;
    [[nodiscard]] virtual std::vector<ListedDevice> scanVideo() = 0;
    [[nodiscard]] virtual Result<std::unique_ptr<VideoDevice>> openVideo(const std::string& key) = 0;
    [[nodiscard]] virtual std::vector<ListedDevice> scanAudio() = 0;
    [[nodiscard]] virtual std::unique_ptr<AudioSource> openAudio(const std::string& key) = 0;
};

/** A system without capture devices. */
class EmptyDeviceCatalog final : public DeviceCatalog
{
public:
    std::vector<ListedDevice> scanVideo() override { return {}; }
    Result<std::unique_ptr<VideoDevice>> openVideo(const std::string& key) override
    {
        return Error("There is no capture device " + key, ErrorKind::NotFound);
    }
    std::vector<ListedDevice> scanAudio() override { return {}; }
    std::unique_ptr<AudioSource> openAudio(const std::string&) override { return nullptr; }
};

} // namespace leapmark
