#include "measure/PictureSave.h"

#include "common/DateTimeText.h"
#include "common/PathExistence.h"
#include "measure/PictureFiles.h"

namespace leapmark {
namespace {

Result<void> reported(Result<void> step, Prompts& prompts, const std::string& lead)
{
    if (!step)
        prompts.tell(lead + step.error().text(), MessageIcon::Critical);
    return step;
}

} // namespace

Result<void> savePicture(MeasurementValues& values, const PictureSavePlaces& places, const Clock& clock,
                         Prompts& prompts, PictureDrawing& drawing)
{
    const LocalDateTime moment = clock.now();
    values.last_save_date = dateText(moment);
    values.last_save_time = timeText(moment);
    values.picture_file_name = picturePath(places.pictures_path, moment, places.picture_extension);
    prompts.tell(values.picture_file_name);

    const std::filesystem::path file = pathInFolder(places.current_folder, values.picture_file_name);
    if (auto saved = reported(drawing.saveDrawing(file), prompts, "The picture was not saved. "); !saved)
        return saved;
    const std::string& name = values.picture_file_name;
    if (auto recorded = reported(places.results.append(pictureSavedRecord(moment, name)), prompts,
                                 "The picture was saved but not recorded. ");
        !recorded)
        return recorded;
    if (auto info =
            reported(writePictureInfoFile(places.current_folder, name, places.skierText, places.passText),
                     prompts, "The picture was saved but not recorded. ");
        !info)
        return info;
    return reported(places.sessionLog.append(
                        pictureEntry(moment, places.skierText, places.passText, places.metresText, name)),
                    prompts, "The picture was saved but not logged. ");
}

bool saveOnLeaving(NavigationOrigin origin, std::string_view picture_save_mode, Prompts& prompts)
{
    if (origin != NavigationOrigin::SelectFrame)
        return false;
    if (picture_save_mode == "Save")
        return true;
    if (picture_save_mode == "Ask")
        return prompts.message({"Do you want to save this picture?", "", MessageButtons::YesNo,
                                MessageIcon::None, DefaultButton::First}) == MessageAnswer::Yes;
    return false;
}

} // namespace leapmark
