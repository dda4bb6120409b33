#pragma once

#include "measure/PictureSave.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace leapmark::testing {

/** A picture folder, a current folder, a results file and a session log to save pictures into. */
class PictureSaveFolders : public ::testing::Test
{
protected:
    PictureSaveFolders()
    {
        std::filesystem::create_directories(pictures());
        std::filesystem::create_directories(current());
        places.pictures_path = pictures().string() + "/";
        places.picture_extension = ".bmp";
        places.current_folder = current();
        places.results = ResultsFile(folder.file("results.txt"));
        places.sessionLog = SessionLog(folder.file("log.txt"));
        places.skierText = "Smith";
        places.passText = "3";
        places.metresText = " 45.1m";
    }
    std::filesystem::path pictures() const { return folder.path() / "pictures"; }
    std::filesystem::path current() const { return folder.path() / "app"; }

    TempFolder folder;
    PictureSavePlaces places;
};

} // namespace leapmark::testing
