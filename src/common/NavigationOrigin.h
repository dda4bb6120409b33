#pragma once

#include <ostream>
#include <string_view>

namespace leapmark {

/** Which screen opened the one being shown; the opened screen's arrival code branches on it. */
enum class NavigationOrigin {
    None,
    Setup,
    Timer,
    Capture,
    CaptureGoToTimer,
    SelectFrame,
    View,
    Measure,
    PictureLog,
    PictureLoadMenu,
};

/** The token's text: "Setup", "SelectFrame", ..., or "" for none. */
[[nodiscard]] std::string_view navigationText(NavigationOrigin origin);

inline std::ostream& operator<<(std::ostream& out, NavigationOrigin origin)
{
    return out << '"' << navigationText(origin) << '"';
}

} // namespace leapmark
