#include "measure/SessionLog.h"

#include "review/FrameSelectionRules.h"

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
    const std::string video = "/videos/Smith, Johnjump3.avi";
    ASSERT_TRUE(log.append(contactEntry(kMoment, *captureNameParts(video), 57, video)).ok());
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
