#include "measure/ExchangeFolder.h"
#include "measure/JumpRecord.h"
#include "measure/MeasuredJump.h"
#include "measure/ResultsFile.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

constexpr LocalDateTime kMoment{2026, 12, 7, 15, 53, 4};

TEST(ExchangeFolder, ResultLinesFollowTheComment)
{
    EXPECT_EQ(resultLine("Fall", " 45.1", " 148", " 4").text, "Fall, 0, 0, 4");
    EXPECT_EQ(resultLine("Pass", "", "", "1").text, "Pass, 0, 0,1");
    EXPECT_EQ(resultLine("", " 45.1", " 148", "1").text, "OK,  45.1,  148, 1");
    EXPECT_EQ(resultLine("Distance from other grid", "40", " 131", "2").text, "OK, 40,  131, 2");
    EXPECT_EQ(resultLine("Other Grid - no distance recorded", "", "", "3").text, "OK, , , 3");
    // The test is exact: anything but the two words is an OK line.
    EXPECT_EQ(resultLine("pass", "", "", "5").text, "OK, , , 5");
    EXPECT_EQ(resultLine("Pass ", "", "", "5").text, "OK, , , 5");
}

TEST(ExchangeFolder, ShortSkierNameStopsAtTheFirstComma)
{
    EXPECT_EQ(shortSkierName("Smith, John"), "Smith");
    EXPECT_EQ(shortSkierName("Smith, John, Jr"), "Smith");
    EXPECT_EQ(shortSkierName("Ann Lee"), "Ann Lee");
    EXPECT_EQ(shortSkierName(",x"), "");
    EXPECT_EQ(shortSkierName(""), "");
}

TEST(ExchangeFolder, PassRightAfterStartUp)
{
    testing::TempFolder folder;
    JumpRecordFields pass;
    pass.moment = kMoment;
    pass.skierName = "Smith";
    pass.jumpNumberText = "1";
    pass.comment = "Pass";
    pass.tail = ImpactState{};
    ASSERT_TRUE(ResultsFile(folder.file("results.txt")).append(jumpRecord(pass)).ok());

    const ExchangeFolder exchange(folder.path());
    ASSERT_TRUE(exchange
                    .publishResult(resultLine(pass.comment, "", "", pass.jumpNumberText),
                                   shortSkierName(pass.skierName), kMoment)
                    .ok());

    EXPECT_EQ(testing::fileBytes(folder.file("results.txt")),
              testing::goldenFile("pass-right-after-start/results.txt"));
    EXPECT_EQ(testing::fileBytes(folder.file("qxresult.dst")),
              testing::goldenFile("pass-right-after-start/qxresult.dst"));
    EXPECT_EQ(testing::fileBytes(folder.file("qxraw.dst")),
              testing::goldenFile("pass-right-after-start/qxraw.dst"));
}

TEST(ExchangeFolder, TwoRecordingsLeaveTheLatestResultAndBothRawLines)
{
    testing::TempFolder folder;
    const ExchangeFolder exchange(folder.path());
    const std::string skier = "Smith, John";

    const auto measured = measuredJumpFigures(45.149, BarefootTournament::No);
    ASSERT_TRUE(
        exchange
            .publishResult(resultLine("", measured.exchangeMetresText, measured.exchangeFeetText, "1"),
                           shortSkierName(skier), kMoment)
            .ok());
    ASSERT_TRUE(exchange
                    .publishResult(resultLine("Distance from other grid", "40", " 131", " 2"),
                                   shortSkierName(skier), {2026, 12, 7, 15, 54, 10})
                    .ok());

    EXPECT_EQ(testing::fileBytes(folder.file("qxresult.dst")),
              testing::goldenFile("wstims-two-recordings/qxresult.dst"));
    EXPECT_EQ(testing::fileBytes(folder.file("qxraw.dst")),
              testing::goldenFile("wstims-two-recordings/qxraw.dst"));
}

TEST(ExchangeFolder, MissingFolderIsNeverCreatedAndTheErrorNamesTheFile)
{
    testing::TempFolder folder;
    const ExchangeFolder exchange(folder.path() / "qxio");
    const auto written = exchange.publishResult(resultLine("Pass", "", "", "1"), "Smith", kMoment);
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().text().find((folder.path() / "qxio" / "qxresult.dst").string()),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "qxio"));
}

TEST(ExchangeFolder, RawAppendFailureIsReportedAfterTheResultIsReplaced)
{
    testing::TempFolder folder;
    std::filesystem::create_directory(folder.file("qxraw.dst")); // cannot be appended to
    const ExchangeFolder exchange(folder.path());
    const auto written = exchange.publishResult(resultLine("Fall", "", "", "2"), "Lee", kMoment);
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().text().find("qxraw.dst"), std::string::npos);
    EXPECT_EQ(testing::fileBytes(folder.file("qxresult.dst")), "Fall, 0, 0,2\r\n");
}

TEST(ExchangeFolder, SkierNameIsTheFirstDelimitedField)
{
    testing::TempFolder folder;
    const ExchangeFolder exchange(folder.path());
    const auto nameFile = folder.file("qxskier.nam");

    testing::writeBytes(nameFile, "  \"Smith, John\",USA,3\r\n");
    EXPECT_EQ(exchange.readSkierName().value(), "Smith, John");

    testing::writeBytes(nameFile, "Ann Lee  ,CAN\r\nsecond line\r\n");
    EXPECT_EQ(exchange.readSkierName().value(), "Ann Lee");

    testing::writeBytes(nameFile, "007");
    EXPECT_EQ(exchange.readSkierName().value(), "007");

    // The scoring program writes Windows-1252; Notepad may add a byte-order mark to UTF-8.
    testing::writeBytes(nameFile, "M\xFCller, J\xF6rg\r\n");
    EXPECT_EQ(exchange.readSkierName().value(), "M\xC3\xBCller");
    testing::writeBytes(nameFile, "\xEF\xBB\xBF\"Ni\xC3\xB1o, Ana\",ESP\r\n");
    EXPECT_EQ(exchange.readSkierName().value(), "Ni\xC3\xB1o, Ana");
}

TEST(ExchangeFolder, AWindows1252NameFileWithinTheLimitsReadsThoughItGrowsAsUtf8)
{
    // Each accented byte becomes two in UTF-8: the limits are on the file as it lies on the disk.
    const std::string longLine(3000, '\xE9');
    EXPECT_EQ(skierNameOfBytes("qxskier.nam", longLine + "\r\n").value().size(), 6000u);
    std::string manyLines;
    while (manyLines.size() < 60 * 1024)
        manyLines += std::string(100, '\xE9') + "\r\n";
    EXPECT_TRUE(skierNameOfBytes("qxskier.nam", manyLines).ok());
    EXPECT_FALSE(skierNameOfBytes("qxskier.nam", std::string(13000, 'x')).ok()); // past every bound
}

TEST(ExchangeFolder, SkierNameErrorsNameTheFile)
{
    testing::TempFolder folder;
    const ExchangeFolder exchange(folder.path());

    const auto missing = exchange.readSkierName();
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().text().find(folder.file("qxskier.nam").string()), std::string::npos);

    testing::writeBytes(folder.file("qxskier.nam"), "");
    const auto empty = exchange.readSkierName();
    ASSERT_FALSE(empty.ok());
    EXPECT_NE(empty.error().text().find("qxskier.nam"), std::string::npos);

    testing::writeBytes(folder.file("qxskier.nam"), std::string("Lee\0binary", 10));
    EXPECT_FALSE(exchange.readSkierName().ok());
}

TEST(ExchangeFolder, ClipboardIsReadyOnlyForTheExactWord)
{
    testing::TempFolder folder;
    const ExchangeFolder exchange(folder.path());
    EXPECT_FALSE(exchange.isClipboardReady()); // no flag file

    const auto flag = folder.file("clipflag.txt");
    for (const std::string text : {"Ready\r\n", "Ready", "  Ready  ,x\r\n", "\"Ready\"\r\n"}) {
        testing::writeBytes(flag, text);
        EXPECT_TRUE(exchange.isClipboardReady()) << text;
    }
    for (const std::string text : {"ready\r\n", "READY", "Ready now", "", "  \r\n", "\r\nReady\r\n"}) {
        testing::writeBytes(flag, text);
        EXPECT_FALSE(exchange.isClipboardReady()) << text;
    }
    EXPECT_FALSE(ExchangeFolder(folder.path() / "gone").isClipboardReady());
}

TEST(ExchangeFolder, ClipFlagResetLeavesTwoBlanks)
{
    testing::TempFolder folder;
    const ExchangeFolder exchange(folder.path());
    testing::writeBytes(folder.file("clipflag.txt"), testing::goldenFile("clipflag-reset/clipflag.txt"));
    ASSERT_TRUE(exchange.isClipboardReady());
    ASSERT_TRUE(exchange.resetClipFlag().ok());
    EXPECT_EQ(testing::fileBytes(folder.file("clipflag.txt")),
              testing::goldenFile("clipflag-reset/expected-clipflag.txt"));
    EXPECT_FALSE(exchange.isClipboardReady());
}

TEST(ExchangeFolder, DeletesEveryBitmapAndNothingElse)
{
    testing::TempFolder folder;
    for (const char* name : {"snapshot.bmp", "SHOT2.BMP", "x.Bmp", "qxraw.dst", "bmp", "picture.bmp.info"})
        testing::writeBytes(folder.file(name), "x");
    std::filesystem::create_directory(folder.file("folder.bmp"));

    const ExchangeFolder exchange(folder.path());
    ASSERT_TRUE(exchange.deleteBitmaps().ok());
    for (const char* gone : {"snapshot.bmp", "SHOT2.BMP", "x.Bmp"})
        EXPECT_FALSE(std::filesystem::exists(folder.file(gone))) << gone;
    for (const char* kept : {"qxraw.dst", "bmp", "picture.bmp.info", "folder.bmp"})
        EXPECT_TRUE(std::filesystem::exists(folder.file(kept))) << kept;

    // Nothing left to delete, or no folder at all: nothing to do.
    EXPECT_TRUE(exchange.deleteBitmaps().ok());
    EXPECT_TRUE(ExchangeFolder(folder.path() / "gone").deleteBitmaps().ok());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "gone"));
}

} // namespace
} // namespace leapmark
