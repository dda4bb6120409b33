#pragma once

#include "capture/CaptureHandOver.h"
#include "common/NavigationOrigin.h"
#include "common/Rgb.h"
#include "grid/GridScreenValues.h"
#include "grid/GridState.h"
#include "measure/MeasurementValues.h"
#include "review/FrameSelectionHandOver.h"

#include <filesystem>
#include <string>

namespace leapmark {

/** Where the program keeps and finds its files. */
struct SessionPaths
{
    /** The application folder: skier list, currentcapture.bmp, manual, reports. */
    std::filesystem::path app_dir;
    /** The folder shared with the scoring program. */
    std::filesystem::path exchange_dir;
    /** The folder bare file names are taken from; set where the operator's program makes a folder current. */
    std::filesystem::path current_folder;
};

/** The configuration's process-wide copies of the settings, refreshed as the configuration says. */
struct ConfigurationValues
{
    std::string video_dir;
    std::string session_log_name;
    std::string tournament_name;
    std::string setup_files_path;
    std::string results_path;
    std::string pictures_path;
    std::string skier_names_path;
    std::string grids_text;
    bool right_to_left = false;
    std::string jump_direction_text;
    bool line_control_off = false;
    std::string line_control_text;
    std::string tournament_type;
    std::string buoy_marker;
    std::string label_color_name;
    Rgb label_color;
    std::string wstims_text;
    std::string picture_save_mode;
    std::string video_save_mode;
    /** The main screen's "Enable Barefoot Timing (15 sec)": a run lasts 15 seconds. */
    bool barefoot_timing = false;
    /** The capture device family; always "Generic". */
    std::string capture_device;
    /** Extension of saved pictures; always ".bmp". */
    std::string picture_extension;
};

/**
 * Everything the screens share for the whole run. One instance, owned by the application and
 * passed by reference; only the user-interface thread touches it.
 */
struct Session
{
    SessionPaths paths;
    ConfigurationValues config;
    GridState grid;
    GridScreenValues grid_screen;
    MeasurementValues measure;
    CaptureHandOver capture;
    FrameSelectionHandOver review;
    /** Which screen opened the one being shown; set by the opener, read on arrival. */
    NavigationOrigin navigation_origin = NavigationOrigin::None;
};

} // namespace leapmark
