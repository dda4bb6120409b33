#include "measure/ResultsFile.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

constexpr LocalDateTime kMoment{2026, 12, 7, 15, 53, 4};

std::string writtenResults(std::initializer_list<std::string> records)
{
    testing::TempFolder folder;
    const ResultsFile results(folder.file("results.txt"));
    for (const auto& record : records)
        EXPECT_TRUE(results.append(record).ok());
    return testing::fileBytes(results.path());
}

TEST(ResultsFile, RerideAndCommentRecords)
{
    EXPECT_EQ(writtenResults({rerideRecord(kMoment, RerideKind::Mandatory),
                              rerideRecord(kMoment, RerideKind::Optional),
                              commentRecord(kMoment, "Wind gust at the ramp"), commentRecord(kMoment, "")}),
              testing::goldenFile("results-rerides-comments/results.txt"));
}

TEST(ResultsFile, PictureRecords)
{
    EXPECT_EQ(writtenResults({pictureSavedRecord(kMoment, "/pictures/20715530.bmp"),
                              pictureLoadedRecord(kMoment, "/pictures/old jump.bmp"),
                              pictureLoadedRecord(kMoment, "")}),
              testing::goldenFile("results-pictures/results.txt"));
}

TEST(ResultsFile, NewConfigurationRecordHasTwoBlanksBetweenDateAndTime)
{
    EXPECT_EQ(writtenResults({newConfigurationRecord(kMoment, "Lake Classic 2026")}),
              testing::goldenFile("results-new-configuration/results.txt"));
}

TEST(ResultsFile, DefaultNameCarriesMonthDayAndTwoDigitYear)
{
    EXPECT_EQ(defaultResultsFileName(kMoment), "JumpMeasurementResults120726.txt");
    EXPECT_EQ(defaultResultsFileName({2031, 3, 9, 0, 0, 0}), "JumpMeasurementResults030931.txt");
}

TEST(ResultsFile, AppendIntoAMissingFolderFailsNamingThePathAndCreatesNothing)
{
    testing::TempFolder folder;
    const auto path = folder.path() / "gone" / "JumpMeasurementResults120726.txt";
    const ResultsFile results(path);
    const auto written = results.append(rerideRecord(kMoment, RerideKind::Mandatory));
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().text().find(path.string()), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "gone"));
}

} // namespace
} // namespace leapmark
