#include "common/RecordFile.h"

#include "support/FileSizeLimit.h"
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
    EXPECT_EQ(missing.error().kind(), ErrorKind::NotFound);

    const auto onAFolder = replaceFile(folder.path(), "x");
    EXPECT_FALSE(onAFolder.ok());

    // A disk that fills up while the new content is written leaves the old content in place.
    const auto path = folder.file("qxresult.dst");
    ASSERT_TRUE(replaceFile(path, "OK,  45.1,  148, 3\r\n").ok());
    const int status = testing::runWithFileSizeLimit(64, [&] {
        const auto replaced = replaceFile(path, std::string(200, 'x'));
        return !replaced.ok() && replaced.error().kind() == ErrorKind::DiskFull ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(testing::fileBytes(path), "OK,  45.1,  148, 3\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(RecordFile, AFailedAppendLeavesTheFileExactlyAsItWas)
{
    testing::TempFolder folder;
    const auto path = folder.file("results.txt");
    ASSERT_TRUE(appendRecord(path, crlfLine("first record")).ok());
    const std::string before = testing::fileBytes(path);

    // The limit falls in the middle of the second record, as a full disk would.
    const int status = testing::runWithFileSizeLimit(before.size() + 6, [&] {
        const auto torn = appendRecord(path, crlfLine("second record"));
        if (torn.ok() || torn.error().kind() != ErrorKind::DiskFull ||
            torn.error().text().find(path.string()) == std::string::npos)
            return 1;
        return appendRecord(path, crlfLine("3rd")).ok() ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(testing::fileBytes(path), "first record\r\n3rd\r\n");
}

TEST(RecordFile, AFailedFirstAppendLeavesNoFile)
{
    testing::TempFolder folder;
    const auto path = folder.file("JumpMeasurementLog120726.txt");
    const int status = testing::runWithFileSizeLimit(
        3, [&] { return appendRecord(path, crlfLine("a whole session start line")).ok() ? 1 : 0; });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(RecordFile, ATornLastLineIsCutBeforeTheNextRecord)
{
    testing::TempFolder folder;
    const auto path = folder.file("results.txt");
    testing::writeBytes(path, "first\r\nsecond rec");
    ASSERT_TRUE(appendRecord(path, crlfLine("third")).ok());
    EXPECT_EQ(testing::fileBytes(path), "first\r\nthird\r\n");

    testing::writeBytes(path, "only a fragment");
    ASSERT_TRUE(appendRecord(path, crlfLine("whole")).ok());
    EXPECT_EQ(testing::fileBytes(path), "whole\r\n");

    // A line ended by a lone CR (a file edited elsewhere) is whole.
    testing::writeBytes(path, "edited\r");
    ASSERT_TRUE(appendRecord(path, crlfLine("next")).ok());
    EXPECT_EQ(testing::fileBytes(path), "edited\rnext\r\n");

    const auto unended = appendRecord(path, "no line end");
    ASSERT_FALSE(unended.ok());
    EXPECT_EQ(testing::fileBytes(path), "edited\rnext\r\n");
}

} // namespace
} // namespace leapmark
