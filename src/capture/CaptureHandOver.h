#pragma once

namespace leapmark {

/** What the capture screen hands to frame selection after a recording. */
struct CaptureHandOver
{
    /** The frame noted at "Contact", or the middle of the capture when none was noted. */
    int contact_hint_frame = 0;
    /** Whole frames per second of the capture. */
    double captured_rate = 0.0;
    /** Frames in the captured file. */
    int captured_frames = 0;
};

} // namespace leapmark
