#pragma once

#include <optional>
#include <string>

namespace leapmark {

/** The skier's name frame selection gave a recording after the capture screen had changed it. */
struct SkierNameFix
{
    std::string skier_name;
    /** The pass the next recording of that skier takes. */
    std::string pass;
};

/** What the capture screen hands to frame selection after a recording. */
struct CaptureHandOver
{
    /** The file just recorded. */
    std::string video_path;
    /** The skier's name and pass as the capture screen's boxes show them. */
    std::string skier_name;
    std::string pass;
    /** True when the name was changed (an "X" added) so as not to overwrite an earlier recording. */
    bool skier_renamed = false;
    /** The frame noted at "Contact", or the middle of the capture when none was noted. */
    int contact_hint_frame = 0;
    /** Whole frames per second of the capture. */
    double captured_rate = 0.0;
    /** Frames in the captured file. */
    int captured_frames = 0;
    /** Set by frame selection's name fix; the capture screen shows it on its next arrival. */
    std::optional<SkierNameFix> name_fix;
};

} // namespace leapmark
