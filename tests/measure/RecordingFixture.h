#pragma once

#include "common/Clock.h"
#include "grid/GridScreenValues.h"
#include "grid/GridState.h"
#include "measure/JumpRecording.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace leapmark::testing {

/** The drawing surface, noting every save and failing as a full disk when told to. */
class FakeDrawing final : public PictureDrawing
{
public:
    Result<void> saveDrawing(const std::filesystem::path& file) override
    {
        savedFiles.push_back(file);
        if (failSave)
            return Error("Could not write " + file.string() + ": No space left on device",
                         ErrorKind::DiskFull);
        return success();
    }

    bool failSave = false;
    std::vector<std::filesystem::path> savedFiles;
};

/**
 * A measuring station on temporary folders: a grid where one twip is a centimetre of survey x
 * (the ramp at the origin, jumps along +x), the results file, an exchange folder and the form as a
 * fresh screen shows it after the skier "Smith, John" was picked.
 */
class RecordingFixture
{
public:
    RecordingFixture()
    {
        std::filesystem::create_directories(exchangeDir());
        std::filesystem::create_directories(folder.path() / "pictures");
        grid.active_coef = {0.0, 0.01, 0.0, 0.0, 0.0, 0.0, 0.0, 0.01};
        grid.grid_direction = -1.0;
        form.Skier_name = "Smith, John";
        form.Jump_no = "1";
        form.distance = "m";
        form.distance_ft = "ft";
        form.Comment.clear();
        places.results = ResultsFile(resultsPath());
        places.exchange = ExchangeFolder(exchangeDir());
        places.wstims = true;
        places.pictures_path = (folder.path() / "pictures").string() + "/";
        places.picture_extension = ".bmp";
        places.app_dir = folder.path() / "app";
    }

    [[nodiscard]] std::filesystem::path resultsPath() const { return folder.file("results.txt"); }
    [[nodiscard]] std::filesystem::path exchangeDir() const { return folder.path() / "qxio"; }

    /** A landing clicked at x twips on the course line: x / 100 m from the ramp. */
    void clickAt(double xTwips, double yTwips = 0.0)
    {
        click.click_x = xTwips;
        click.click_y = yTwips;
    }

    RecordingOutcome record()
    {
        return recordJump({form, grid, values, click, current_folder}, places, {prompts, clock, picture});
    }

    TempFolder folder;
    FixedClock clock;
    ScriptedPrompts prompts;
    FakeDrawing picture;
    GridState grid;
    GridScreenValues click;
    MeasurementValues values;
    MeasureForm form;
    std::filesystem::path current_folder;
    RecordingPlaces places;
};

} // namespace leapmark::testing
