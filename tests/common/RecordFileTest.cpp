#include "common/RecordFile.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

TEST(RecordFile, AppendsWholeRecordsAndCreatesMissingFiles)
{
    testing::TempFolder folder;
    const auto path = folder.file("results.txt");
    ASSERT_TRUE(appendRecord(path, crlfLine("first")).ok());
    ASSERT_TRUE(appendRecord(path, crlfLines({"second", " ", "third"})).ok());
    EXPECT_EQ(testing::fileBytes(path), "first\r\nsecond\r\n \r\nthird\r\n");
}

TEST(RecordFile, AppendFailureNamesThePathAndTheReason)
{
    testing::TempFolder folder;
    const auto path = folder.path() / "no-such-folder" / "results.txt";
    const auto written = appendRecord(path, crlfLine("lost?"));
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().text().find(path.string()), std::string::npos);
    EXPECT_NE(written.error().text().find("No such file or directory"), std::string::npos);
}

TEST(RecordFile, ReplaceWritesTheWholeNewContentAndLeavesNoTemporaryFile)
{
    testing::TempFolder folder;
    const auto path = folder.file("qxresult.dst");
    ASSERT_TRUE(replaceFile(path, "a much longer first content\r\n").ok());
    ASSERT_TRUE(replaceFile(path, "short\r\n").ok());
    EXPECT_EQ(testing::fileBytes(path), "short\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(RecordFile, ReplaceFailureKeepsTheOldContent)
{
    testing::TempFolder folder;
    const auto missing = replaceFile(folder.path() / "gone" / "grid.ipt", "x");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().text().find("grid.ipt"), std::string::npos);

    const auto onAFolder = replaceFile(folder.path(), "x");
    EXPECT_FALSE(onAFolder.ok());
}

} // namespace
} // namespace leapmark
