#include "common/NavigationOrigin.h"

namespace leapmark {

std::string_view navigationText(NavigationOrigin origin)
{
    switch (origin) {
    case NavigationOrigin::None:
        return "";
    case NavigationOrigin::Setup:
        return "Setup";
    case NavigationOrigin::Timer:
        return "Timer";
    case NavigationOrigin::Capture:
        return "Capture";
    case NavigationOrigin::CaptureGoToTimer:
        return "CaptureGoToTimer";
    case NavigationOrigin::SelectFrame:
        return "SelectFrame";
    case NavigationOrigin::View:
        return "View";
    case NavigationOrigin::Measure:
        return "Measure";
    case NavigationOrigin::PictureLog:
        return "PictureLog";
    case NavigationOrigin::PictureLoadMenu:
        return "PictureLoadMenu";
    }
    return "";
}

} // namespace leapmark
