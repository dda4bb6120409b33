#pragma once

#include "capture/BuiltInVideoDevice.h"
#include "capture/VideoDevice.h"
#include "simulator/LiveJumpCamera.h"

namespace leapmark {

/** The simulated shore camera as a device of the capture control: the usual camera sizes, one format. */
class SimulatedVideoDevice final : public VideoDevice
{
public:
    /** The name it is listed under. */
    static constexpr const char* deviceName = "Leapmark simulated shore camera";

    explicit SimulatedVideoDevice(const PacingClock& clock, SimulationParameters scene = {},
                                  LiveJumpTiming timing = {}, PictureSize preferredSize = {1280, 720});

    std::vector<PictureSize> sizes() const override;
    PictureSize preferredSize() const override { return m_preferredSize; }
    std::vector<std::string> colourFormats() const override { return {"I420 (YUV 4:2:0)"}; }
    int currentColourFormat() const override { return 0; }
    Result<void> selectColourFormat(int index) override;
    std::vector<std::string> inputs() const override { return {}; }
    int currentInput() const override { return -1; }
    Result<void> selectInput(int index) override;
    std::vector<DeviceSetting> settings() const override { return {}; }
    Result<void> changeSetting(int id, int value) override;
    CaptureSource& source() override { return m_camera; }

    [[nodiscard]] LiveJumpCamera& camera() { return m_camera; }

private:
    LiveJumpCamera m_camera;
    PictureSize m_preferredSize;
};

/** The simulated camera as a built-in device of the capture back end, listed under its name. */
[[nodiscard]] BuiltInVideoDevice simulatedCameraDevice(const PacingClock& clock,
                                                       SimulationParameters scene = {},
                                                       LiveJumpTiming timing = {},
                                                       PictureSize preferredSize = {1280, 720});

/** The simulated camera of a connected device, or none when it is another device (or none). */
[[nodiscard]] LiveJumpCamera* simulatedCameraOf(VideoDevice* device);

} // namespace leapmark
