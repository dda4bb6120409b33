#pragma once

#include "capture/CaptureSource.h"
#include "capture/DeviceSetting.h"
#include "common/Result.h"
#include "video/VideoFormat.h"

#include <string>
#include <vector>

namespace leapmark {

/**
 * A video device the capture control has connected to: what it offers (picture sizes, colour formats,
 * inputs, its own settings) and the live source its frames come from.
 */
class VideoDevice
{
public:
    virtual ~VideoDevice() = default;

    /** Picture sizes in the current colour format, smallest first. */
    [[nodiscard]] virtual std::vector<PictureSize> sizes() const = 0;
    /** The size the device is set to when connected. */
    [[nodiscard]] virtual PictureSize preferredSize() const = 0;

    [[nodiscard]] virtual std::vector<std::string> colourFormats() const = 0;
    [[nodiscard]] virtual int currentColourFormat() const = 0;
    [[nodiscard]] virtual Result<void> selectColourFormat(int index) = 0;

    [[nodiscard]] virtual std::vector<std::string> inputs() const = 0;
    [[nodiscard]] virtual int currentInput() const = 0;
    [[nodiscard]] virtual Result<void> selectInput(int index) = 0;

    [[nodiscard]] virtual std::vector<DeviceSetting> settings() const = 0;
    [[nodiscard]] virtual Result<void> changeSetting(int id, int value) = 0;

    /** Where the frames come from, in the colour format and input chosen. */
    [[nodiscard]] virtual CaptureSource& source() = 0;
    /** The rate the source really delivers once open; it may differ from the rate asked for. */
    [[nodiscard]] virtual FrameRate deliveredRate(FrameRate asked) const { return asked; }
};

} // namespace leapmark
