#pragma once

#include <string>

namespace leapmark {

/** The hand-over bitmap of the marked frame, in the application folder: the grid setup and
 * measurement screens load it. */
inline constexpr const char* currentCaptureFileName = "currentcapture.bmp";

/** The frame chosen on the frame-selection screen, for the extractor that writes it as a bitmap. */
struct FrameSelectionHandOver
{
    std::string marked_video_path;
    /** Counted from 0. */
    int marked_frame = 0;
};

} // namespace leapmark
