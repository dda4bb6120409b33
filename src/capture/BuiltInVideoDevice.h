#pragma once

#include "capture/VideoDevice.h"

#include <functional>
#include <memory>
#include <string>

namespace leapmark {

/**
 * A video device listed whatever a scan finds, handed to the capture back end by the program that
 * builds it (the simulated shore camera).
 */
struct BuiltInVideoDevice
{
    std::string name;
    /** Makes the device anew at each connection. */
    std::function<std::unique_ptr<VideoDevice>()> make;
};

} // namespace leapmark
