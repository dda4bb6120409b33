#pragma once

#include "capture/DeviceList.h"
#include "capture/VideoDevice.h"
#include "capture/ffmpeg/V4l2Source.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace leapmark {

/** The Video4Linux2 capture devices there are now (listed through libavdevice), keyed by device node. */
[[nodiscard]] std::vector<ListedDevice> scanV4l2Devices();

/**
 * A Video4Linux2 device: its pixel formats, picture sizes, inputs and controls as the driver reports
 * them, and its frames through libavdevice. Formats FFmpeg cannot take from the device are left out.
 */
class V4l2VideoDevice final : public VideoDevice
{
public:
    [[nodiscard]] static Result<std::unique_ptr<V4l2VideoDevice>> open(const std::string& path);
    ~V4l2VideoDevice() override;
    V4l2VideoDevice(const V4l2VideoDevice&) = delete;
    V4l2VideoDevice& operator=(const V4l2VideoDevice&) = delete;

    std::vector<PictureSize> sizes() const override;
    PictureSize preferredSize() const override { return m_preferredSize; }
    std::vector<std::string> colourFormats() const override;
    int currentColourFormat() const override { return m_format; }
    Result<void> selectColourFormat(int index) override;
    std::vector<std::string> inputs() const override { return m_inputs; }
    int currentInput() const override { return m_inputs.empty() ? -1 : m_input; }
    Result<void> selectInput(int index) override;
    std::vector<DeviceSetting> settings() const override;
    Result<void> changeSetting(int id, int value) override;
    CaptureSource& source() override { return m_source; }
    FrameRate deliveredRate(FrameRate asked) const override;

private:
    struct PixelFormat
    {
        std::uint32_t fourcc = 0;
        std::string description;
        std::string ffmpegName;
        std::vector<PictureSize> sizes;
    };

    V4l2VideoDevice(std::string path, int descriptor);
    void readFormats();
    void readInputs();
    void updateChoice();

    std::string m_path;
    int m_descriptor = -1;
    std::vector<PixelFormat> m_formats;
    int m_format = 0;
    std::vector<std::string> m_inputs;
    int m_input = 0;
    PictureSize m_preferredSize{640, 480};
    V4l2Source m_source;
};

} // namespace leapmark
