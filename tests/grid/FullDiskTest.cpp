// The grid files on a disk that fills up in the middle of the write: the failure names the file and
// the reason, the old file stays whole with no temporary beside it, and the grid state only takes
// over a file that was written.
#include "grid/CheckPoints.h"
#include "grid/GridFile.h"
#include "grid/GridOperations.h"

#include "support/FileSizeLimit.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace leapmark {
namespace {

using ::testing::ElementsAre;
using testing::fileBytes;

std::vector<std::string> namesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

/** Child exit codes: 0 the write failed with the file and the full disk told, 1 it was taken as written. */
int failsAsFullDisk(const Result<void>& written, const std::filesystem::path& file)
{
    if (written.ok())
        return 1;
    const std::string& text = written.error().text();
    return written.error().kind() == ErrorKind::DiskFull && text.find(file.string()) != std::string::npos &&
                   text.find("File too large") != std::string::npos
               ? 0
               : 2;
}

GridState solvedSquareGrid()
{
    GridState state;
    const std::array<PlanePoint, 4> screen{{{7200, 1800}, {8400, 5400}, {2700, 1650}, {1200, 5700}}};
    const std::array<PlanePoint, 4> survey{{{60, 8}, {60, -8}, {30.5, 0}, {31.25, -7.75}}};
    for (std::size_t c = 1; c <= 4; ++c) {
        state.buoy_screen_x[c] = screen[c - 1].x;
        state.buoy_screen_y[c] = screen[c - 1].y;
        state.buoy_survey_x[c] = survey[c - 1].x;
        state.buoy_survey_y[c] = survey[c - 1].y;
    }
    EXPECT_TRUE(solve_grid(state).ok());
    return state;
}

TEST(GridFullDisk, ASavedGridIsWholeOrTheOldFileStays)
{
    testing::TempFolder folder;
    const auto path = folder.file("north.ipt");
    GridState state = solvedSquareGrid();
    ASSERT_TRUE(saveGridFile(state, 1, path, "north, before").ok());
    const std::string before = fileBytes(path);

    const GridState unsaved = state;
    EXPECT_EQ(testing::runWithFileSizeLimit(before.size() / 2,
                                            [&] {
                                                GridState child = unsaved;
                                                const int told = failsAsFullDisk(
                                                    saveGridFile(child, 2, path, "north, after"), path);
                                                return told != 0 ? told : child == unsaved ? 0 : 3;
                                            }),
              0)
        << "1: taken as written, 2: not told as a full disk with the file, 3: the state took it over";
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_THAT(namesIn(folder.path()), ElementsAre("north.ipt"));

    ASSERT_TRUE(saveGridFile(state, 2, path, "north, after").ok());
    const auto back = readGridFile(path);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->description, "north, after");
}

TEST(GridFullDisk, CheckPointsThatDoNotFitKeepTheOldSideFile)
{
    testing::TempFolder folder;
    const auto grid = folder.file("north.ipt");
    const auto side = checkPointsPathFor(grid);
    const std::vector<CheckPoint> first{{{45.5, 11.25}, PlanePoint{9000, 4500}}};
    const std::vector<CheckPoint> more{{{45.5, 11.25}, PlanePoint{9000, 4500}},
                                       {{-12, 3.5}, PlanePoint{120, 7300.5}},
                                       {{30, 0}, PlanePoint{2700, 1650}}};
    ASSERT_TRUE(writeCheckPointsOf(grid, first).ok());
    const std::string before = fileBytes(side);

    EXPECT_EQ(testing::runWithFileSizeLimit(
                  before.size() + 5, [&] { return failsAsFullDisk(writeCheckPointsOf(grid, more), side); }),
              0);
    EXPECT_EQ(fileBytes(side), before);
    EXPECT_THAT(namesIn(folder.path()), ElementsAre("north.ipt.check"));
    EXPECT_EQ(*readCheckPointsOf(grid), first);

    ASSERT_TRUE(writeCheckPointsOf(grid, more).ok());
    EXPECT_EQ(*readCheckPointsOf(grid), more);
}

} // namespace
} // namespace leapmark
