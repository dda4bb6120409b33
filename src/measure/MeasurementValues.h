#pragma once

#include <string>

namespace leapmark {

/** The measuring side's values that outlive one event: the picture, its saving and the last result. */
struct MeasurementValues
{
    /** True while the picture on the measurement screen came from a snapshot or the clipboard. */
    bool picture_frozen = false;
    /** The picture last put on the measurement screen. */
    std::string current_picture_file;
    /** The name the current picture is saved under. */
    std::string picture_file_name;
    /** Set by the frozen-picture name dialog when the operator confirms the save. */
    bool frozen_save_confirmed = false;
    /** Signed form of the last computed distance, rounded to 4 decimals; empty until one is computed. */
    std::string raw_distance_text;
    /** Date and time texts of the last picture save. */
    std::string last_save_date;
    std::string last_save_time;
    /** The video the session log viewer hands to frame selection for review. */
    std::string view_file_path;
};

} // namespace leapmark
