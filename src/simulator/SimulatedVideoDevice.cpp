#include "simulator/SimulatedVideoDevice.h"

namespace leapmark {

SimulatedVideoDevice::SimulatedVideoDevice(const PacingClock& clock, SimulationParameters scene,
                                           LiveJumpTiming timing, PictureSize preferredSize)
    : m_camera(clock, scene, timing), m_preferredSize(preferredSize)
{}

std::vector<PictureSize> SimulatedVideoDevice::sizes() const
{
    return {{320, 240}, {640, 480}, {1280, 720}, {1920, 1080}};
}

Result<void> SimulatedVideoDevice::selectColourFormat(int index)
{
    if (index == 0)
        return success();
    return Error("The simulated camera has only one colour format", ErrorKind::Unsupported);
}

Result<void> SimulatedVideoDevice::selectInput(int)
{
    return Error("The simulated camera has no inputs", ErrorKind::Unsupported);
}

Result<void> SimulatedVideoDevice::changeSetting(int, int)
{
    return Error("The simulated camera has no settings", ErrorKind::Unsupported);
}

BuiltInVideoDevice simulatedCameraDevice(const PacingClock& clock, SimulationParameters scene,
                                         LiveJumpTiming timing, PictureSize preferredSize)
{
    return {SimulatedVideoDevice::deviceName, [&clock, scene, timing, preferredSize] {
                return std::unique_ptr<VideoDevice>(
                    std::make_unique<SimulatedVideoDevice>(clock, scene, timing, preferredSize));
            }};
}

LiveJumpCamera* simulatedCameraOf(VideoDevice* device)
{
    auto* simulated = dynamic_cast<SimulatedVideoDevice*>(device);
    return simulated ? &simulated->camera() : nullptr;
}

} // namespace leapmark
