#pragma once

#include "common/Clock.h"
#include "common/NavigationOrigin.h"
#include "common/Prompts.h"
#include "measure/JumpRecording.h"
#include "measure/MeasurementValues.h"
#include "measure/ResultsFile.h"
#include "measure/SessionLog.h"

#include <filesystem>
#include <string>

namespace leapmark {

/** Where a saved picture and its records go, and what they carry. */
struct PictureSavePlaces
{
    std::string pictures_path;
    std::string picture_extension;
    /** The folder the information file is written to and a bare picture name is taken in. */
    std::filesystem::path current_folder;
    ResultsFile results{{}};
    SessionLog sessionLog{{}};
    /** The capture screen's skier and pass texts. */
    std::string skierText;
    std::string passText;
    /** The metres box of the measurement screen. */
    std::string metresText;
};

/**
 * "Save Picture": names the picture after the clock (saves within the same ten seconds share the
 * name and replace each other), tells the operator the name, saves the picture with its overlay,
 * then records it: the results file's "Saved picture: " line, the information file and the session
 * log's picture entry. A step that fails is reported with its file and reason and the steps after
 * it are skipped.
 */
[[nodiscard]] Result<void> savePicture(MeasurementValues& values, const PictureSavePlaces& places,
                                       const Clock& clock, Prompts& prompts, PictureDrawing& drawing);

/**
 * Whether leaving the measurement screen saves the picture: only a picture that came from frame
 * selection, always for "Save", on a Yes to "Do you want to save this picture?" for "Ask", never
 * otherwise.
 */
[[nodiscard]] bool saveOnLeaving(NavigationOrigin origin, std::string_view picture_save_mode,
                                 Prompts& prompts);

} // namespace leapmark
