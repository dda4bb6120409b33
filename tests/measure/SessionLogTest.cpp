#include "measure/SessionLog.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

constexpr LocalDateTime kMoment{2026, 12, 7, 15, 53, 4};
using Entries = std::vector<std::string>;

TEST(SessionLog, StartCaptureAndPictureLines)
{
    testing::TempFolder folder;
    const SessionLog log(folder.file(sessionLogName(kMoment)));
    ASSERT_TRUE(log.append(sessionStartEntry(kMoment)).ok());
    ASSERT_TRUE(log.append(captureEntry(kMoment, "/videos/Smith, Johnjump3.avi", 57)).ok());
    ASSERT_TRUE(
        log.append(pictureEntry(kMoment, "Smith, John", "3", " 45.1m", "/pictures/20715530.bmp")).ok());
    EXPECT_EQ(testing::fileBytes(log.path()),
              testing::goldenFile("session-log/JumpMeasurementLog120726.txt"));
}

TEST(SessionLog, NameCarriesTheStartDate)
{
    EXPECT_EQ(sessionLogName(kMoment), "JumpMeasurementLog120726.txt");
    EXPECT_EQ(sessionLogName({2030, 1, 2, 23, 59, 59}), "JumpMeasurementLog010230.txt");
}

TEST(SessionLog, VideoNamesAreCutIntoSkierAndJump)
{
    const auto windows = videoNameParts("D:\\Jumps\\Smith, Johnjump12.avi");
    EXPECT_EQ(windows.skier, "Smith, John");
    EXPECT_EQ(windows.jump, "12");

    // The folder may itself contain "jump"; only the file name is cut.
    const auto slashes = videoNameParts("/data/jumps/Lee/Ann Leejump2.avi");
    EXPECT_EQ(slashes.skier, "Ann Lee");
    EXPECT_EQ(slashes.jump, "2");

    // The number follows the last "jump", so a name holding the word keeps it.
    const auto wordInName = videoNameParts("/v/Highjumper Kimjump4.avi");
    EXPECT_EQ(wordInName.skier, "Highjumper Kim");
    EXPECT_EQ(wordInName.jump, "4");
}

TEST(SessionLog, VideoNamesOutsideThePatternGiveWhatThereIs)
{
    const auto noJump = videoNameParts("/videos/testvid.avi");
    EXPECT_EQ(noJump.skier, "testvid");
    EXPECT_EQ(noJump.jump, "");

    const auto noExtension = videoNameParts("/videos/Smithjump3.AVI");
    EXPECT_EQ(noExtension.skier, "Smith");
    EXPECT_EQ(noExtension.jump, "3.AVI");

    const auto bare = videoNameParts("jump");
    EXPECT_EQ(bare.skier, "");
    EXPECT_EQ(bare.jump, "");

    EXPECT_EQ(videoNameParts("").skier, "");
    EXPECT_EQ(videoNameParts("/videos/").skier, "");

    EXPECT_EQ(captureEntry(kMoment, "/videos/testvid.avi", 0),
              "12-07-202615:53:04Skier: testvidJump: Contact Frame:  0File: /videos/testvid.avi\r\n");
}

TEST(SessionLog, PictureEntryJumpIsOneBelowThePass)
{
    EXPECT_EQ(pictureEntry(kMoment, "Lee", "", "", "/p/x.bmp"),
              "12-07-202615:53:04Skier: LeeJump: -1Distance: File: /p/x.bmp\r\n");
}

TEST(SessionLog, ViewersListEntriesByTheirLastThreeCharacters)
{
    const std::string log = "12-07-202615:53:04Leapmark Measurement Session started  \r\n"
                            "a File: /v/Ajump1.avi\r\n"
                            "b File: /v/Bjump1.AVI\r\n"
                            "c File: /p/1.bmp\r\n"
                            "d File: /p/2.jpg\r\n"
                            "e no file named avi\n"
                            "f File: /p/3.bmp";
    EXPECT_EQ(logEntries(log, LogEntryKind::Capture),
              (Entries{"a File: /v/Ajump1.avi", "e no file named avi"}));
    EXPECT_EQ(logEntries(log, LogEntryKind::Picture), (Entries{"c File: /p/1.bmp", "f File: /p/3.bmp"}));
    EXPECT_TRUE(
        logEntries("12-07-202615:53:04Leapmark Measurement Session started  \r\n", LogEntryKind::Capture)
            .empty());
    EXPECT_TRUE(logEntries("", LogEntryKind::Picture).empty());
    EXPECT_FALSE(isLogEntry("vi", LogEntryKind::Capture));
}

TEST(SessionLog, EntryFileIsTheTextAfterTheFirstFileLabel)
{
    EXPECT_EQ(entryFile("xSkier: AJump: 1Contact Frame:  5File: /v/File: x.avi"), "/v/File: x.avi");
    EXPECT_EQ(entryFile("no label avi"), std::nullopt);
    // Short lines after the label name an empty file rather than reading past the end.
    EXPECT_EQ(entryFile("File:"), "");
    EXPECT_EQ(entryFile("File: "), "");
    EXPECT_EQ(entryFile("File:x"), "");
    EXPECT_EQ(entryFile("File:xy"), "y");
}

TEST(SessionLog, ReadingTheWrittenLogFindsItsEntriesAndTheirFiles)
{
    const auto path =
        std::filesystem::path(LEAPMARK_TEST_DATA_DIR) / "session-log/JumpMeasurementLog120726.txt";
    const auto captures = readLogEntries(path, LogEntryKind::Capture);
    ASSERT_TRUE(captures.ok()) << captures.error().text();
    ASSERT_EQ(captures->size(), 1u);
    EXPECT_EQ(entryFile(captures->front()), "/videos/Smith, Johnjump3.avi");

    const auto pictures = readLogEntries(path, LogEntryKind::Picture);
    ASSERT_TRUE(pictures.ok());
    ASSERT_EQ(pictures->size(), 1u);
    EXPECT_EQ(entryFile(pictures->front()), "/pictures/20715530.bmp");
}

TEST(SessionLog, MissingLogHasNoEntriesAndAFolderIsAnError)
{
    testing::TempFolder folder;
    const auto missing = readLogEntries(folder.file("JumpMeasurementLog010101.txt"), LogEntryKind::Capture);
    ASSERT_TRUE(missing.ok());
    EXPECT_TRUE(missing->empty());

    const auto notAFile = readLogEntries(folder.path(), LogEntryKind::Capture);
    ASSERT_FALSE(notAFile.ok());
    EXPECT_NE(notAFile.error().text().find(folder.path().string()), std::string::npos);
}

} // namespace
} // namespace leapmark
