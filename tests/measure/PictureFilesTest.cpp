#include "measure/PictureFiles.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

TEST(PictureFiles, NameIsMonthDigitDayHourMinuteAndTensOfSeconds)
{
    EXPECT_EQ(pictureFileName({2026, 12, 7, 15, 53, 4}, ".bmp"), "20715530.bmp");
    EXPECT_EQ(pictureNameStem({2026, 1, 31, 0, 5, 59}), "13100055");
}

TEST(PictureFiles, SavesThatShareANameReplaceEachOther)
{
    // Within the same ten seconds, and in months with the same units digit.
    EXPECT_EQ(pictureNameStem({2026, 1, 7, 15, 53, 0}), pictureNameStem({2026, 11, 7, 15, 53, 9}));
    EXPECT_EQ(pictureNameStem({2026, 2, 7, 15, 53, 4}), pictureNameStem({2027, 12, 7, 15, 53, 4}));
    EXPECT_NE(pictureNameStem({2026, 12, 7, 15, 53, 9}), pictureNameStem({2026, 12, 7, 15, 53, 10}));
}

TEST(PictureFiles, InformationFileIsNamedAfterThePictureWithoutItsFolder)
{
    EXPECT_EQ(pictureInfoFileName("/pictures/20715530.bmp"), "20715530.bmp.info");
    EXPECT_EQ(pictureInfoFileName("C:\\Pics\\20715530.bmp"), "20715530.bmp.info");
}

TEST(PictureFiles, InformationFileIsReplacedNotAppended)
{
    testing::TempFolder folder;
    ASSERT_TRUE(writePictureInfoFile(folder.path(), "/pictures/20715530.bmp", "Lee", "9").ok());
    ASSERT_TRUE(writePictureInfoFile(folder.path(), "/pictures/20715530.bmp", "Smith, John", "3").ok());
    EXPECT_EQ(testing::fileBytes(folder.file("20715530.bmp.info")),
              testing::goldenFile("picture-info/20715530.bmp.info"));
}

TEST(PictureFiles, InformationFileInAMissingFolderFailsNamingIt)
{
    testing::TempFolder folder;
    const auto written = writePictureInfoFile(folder.path() / "gone", "/p/20715530.bmp", "Lee", "1");
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().text().find("20715530.bmp.info"), std::string::npos);
}

} // namespace
} // namespace leapmark
