#pragma once

namespace leapmark {

/** The program's screens, as one screen names another when it asks to be taken there. */
enum class ScreenId {
    Main,
    Configuration,
    Measure,
    GridSetup,
    Capture,
    FrameSelection,
    SessionLog,
    PictureLog,
    Results,
    Calibrate,
    SelectSkier,
    Manual,
};

} // namespace leapmark
