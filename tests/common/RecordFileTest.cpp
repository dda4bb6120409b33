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

TEST(RecordFile, AnUnendedLastLineIsKeptAndEndedBeforeTheNextRecord)
{
    testing::TempFolder folder;
    const auto path = folder.file("results.txt");
    // A record torn by a writer that died, or another process's append in progress: not ours to cut.
    testing::writeBytes(path, "first\r\nsecond rec");
    ASSERT_TRUE(appendRecord(path, crlfLine("third")).ok());
    EXPECT_EQ(testing::fileBytes(path), "first\r\nsecond rec\r\nthird\r\n");

    // A judge's note typed at the end of an accuracy report stays.
    const auto report = folder.file("acc1207.txt");
    testing::writeBytes(report, "Ref 1  .02\r\nchecked by J. Smith");
    ASSERT_TRUE(appendRecord(report, crlfLine("Ref 2  .03")).ok());
    EXPECT_EQ(testing::fileBytes(report), "Ref 1  .02\r\nchecked by J. Smith\r\nRef 2  .03\r\n");

    // A line ended by a lone CR (a file edited elsewhere) is whole.
    testing::writeBytes(path, "edited\r");
    ASSERT_TRUE(appendRecord(path, crlfLine("next")).ok());
    EXPECT_EQ(testing::fileBytes(path), "edited\rnext\r\n");

    const auto unended = appendRecord(path, "no line end");
    ASSERT_FALSE(unended.ok());
    EXPECT_EQ(testing::fileBytes(path), "edited\rnext\r\n");

    // A failed append takes back its own line end too.
    testing::writeBytes(path, "note");
    const int status = testing::runWithFileSizeLimit(8, [&] {
        const auto torn = appendRecord(path, crlfLine("a record"));
        return !torn.ok() && torn.error().kind() == ErrorKind::DiskFull ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(testing::fileBytes(path), "note");
}

TEST(RecordFile, ReplaceWritesThroughASymbolicLink)
{
    testing::TempFolder folder;
    std::filesystem::create_directories(folder.path() / "qxio");
    std::filesystem::create_directories(folder.path() / "shared");
    const auto target = folder.path() / "shared" / "qxresult.dst";
    testing::writeBytes(target, "OK,  45.1,  148, 3\r\n");
    std::filesystem::permissions(target,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    // A chain of two links, the last one relative to its own folder.
    const auto link = folder.path() / "qxio" / "qxresult.dst";
    std::filesystem::create_symlink("../shared/qxresult.dst", folder.path() / "qxio" / "middle.dst");
    std::filesystem::create_symlink(folder.path() / "qxio" / "middle.dst", link);

    ASSERT_TRUE(replaceFile(link, "Pass, 0, 0,4\r\n").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testing::fileBytes(target), "Pass, 0, 0,4\r\n");
    EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "qxio"), {}), 2); // the links
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "shared"), {}), 1);

    // A link to a file not yet there makes that file; appends go through links the same way.
    const auto dangling = folder.path() / "qxio" / "grid1.ipt";
    std::filesystem::create_symlink("../shared/grid1.ipt", dangling);
    ASSERT_TRUE(replaceFile(dangling, "grid\r\n").ok());
    ASSERT_TRUE(appendRecord(dangling, crlfLine("more")).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(testing::fileBytes(folder.path() / "shared" / "grid1.ipt"), "grid\r\nmore\r\n");
    const auto log = folder.path() / "qxio" / "qxraw.dst";
    std::filesystem::create_symlink("../shared/qxraw.dst", log);
    ASSERT_TRUE(appendRecord(log, crlfLine("first")).ok());
    EXPECT_EQ(testing::fileBytes(folder.path() / "shared" / "qxraw.dst"), "first\r\n");

    // A loop of links is refused, not followed without end.
    std::filesystem::create_symlink("loop-b", folder.path() / "qxio" / "loop-a");
    std::filesystem::create_symlink("loop-a", folder.path() / "qxio" / "loop-b");
    EXPECT_FALSE(replaceFile(folder.path() / "qxio" / "loop-a", "x").ok());
}

} // namespace
} // namespace leapmark
