#pragma once

#include <string>
#include <vector>

namespace leapmark {

/** One of a device's own settings, as its settings dialog shows it: brightness, contrast, exposure... */
struct DeviceSetting
{
    enum class Kind { Integer, Boolean, Menu };

    int id = 0;
    std::string name;
    Kind kind = Kind::Integer;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    int defaultValue = 0;
    int value = 0;
    /** For a menu: the name of each value from minimum to maximum (empty names are not offered). */
    std::vector<std::string> choices;

    friend bool operator==(const DeviceSetting&, const DeviceSetting&) = default;
};

} // namespace leapmark
