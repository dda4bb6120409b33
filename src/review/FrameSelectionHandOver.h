#pragma once

#include <string>

namespace leapmark {

/** The frame chosen on the frame-selection screen, for the extractor that writes it as a bitmap. */
struct FrameSelectionHandOver
{
    std::string marked_video_path;
    /** Counted from 0. */
    int marked_frame = 0;
};

} // namespace leapmark
