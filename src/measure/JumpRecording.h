#pragma once

#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/Result.h"
#include "grid/GridScreenValues.h"
#include "grid/GridState.h"
#include "measure/ExchangeFolder.h"
#include "measure/MeasureForm.h"
#include "measure/MeasurementValues.h"
#include "measure/ResultsFile.h"

#include <filesystem>
#include <string>

namespace leapmark {

/** The picture and its overlay as the operator sees them, saved as a 24-bit bitmap. */
class PictureDrawing
{
public:
    virtual ~PictureDrawing() = default;
    [[nodiscard]] virtual Result<void> saveDrawing(const std::filesystem::path& file) = 0;
};

/** The frozen-picture name dialog: an input box proposing the picture's name. */
inline constexpr std::string_view kFrozenPicturePrompt = "Save the frozen picture as";
inline constexpr std::string_view kFrozenPictureTitle = "Frozen Picture";

/** Where a recording writes, and the configuration it follows. */
struct RecordingPlaces
{
    ResultsFile results{{}};
    ExchangeFolder exchange{{}};
    /** The configuration's WSTIMS box is ticked: the scoring program gets the result. */
    bool wstims = false;
    /** `capture_device` is "Generic": the exchange folder's bitmaps go once a jump is recorded. */
    bool genericDevice = true;
    std::string pictures_path;
    std::string picture_extension;
    std::filesystem::path app_dir;
};

/** The shared state one recording reads and writes. */
struct RecordingState
{
    MeasureForm& form;
    GridState& grid;
    MeasurementValues& values;
    const GridScreenValues& clickPoint;
    std::filesystem::path& current_folder;
};

struct RecordingServices
{
    Prompts& prompts;
    const Clock& clock;
    PictureDrawing& picture;
};

enum class RecordingOutcome {
    Recorded,
    /** Nothing was written and nothing changed: the operator can put it right and record again. */
    NotRecorded,
};

/**
 * "Record Jump": works out the result of the marked landing or the chosen option, appends the jump
 * line to the results file, gives the scoring program its result when WSTIMS is ticked, advances the
 * jump number for a Pass, Fall or Other Grid on a live picture, offers a frozen picture for saving
 * (under the proposed name, or the one the operator typed over it) and readies the screen.
 *
 * The results file comes first and decides: when the landing cannot be measured or the line cannot
 * be written, the operator is told why (the file and the reason), no exchange file is written and
 * the form, the transform registers and the measuring values are left exactly as they were, so the
 * same press can be repeated once the folder is put right without any line being written twice.
 * A failure of the exchange files is reported and the recording goes on.
 */
RecordingOutcome recordJump(RecordingState state, const RecordingPlaces& places, RecordingServices services);

} // namespace leapmark
