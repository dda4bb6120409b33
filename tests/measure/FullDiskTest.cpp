// Every file the measurement side writes, on a disk that fills up in the middle of the write: the
// failure is told with the file and the reason, nothing half-written stays behind, and the next
// write once there is room again works.
#include "measure/ExchangeFolder.h"
#include "measure/PictureSave.h"
#include "measure/ResultsFile.h"
#include "measure/SessionLog.h"
#include "review/FrameSelectionRules.h"
#include "review/VideoFrame.h"
#include "review/cDIB.h"

#include "PictureSaveFolders.h"
#include "support/FileSizeLimit.h"
#include "support/GoldenFile.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace leapmark {
namespace {

using ::testing::ElementsAre;
using testing::fileBytes;

const LocalDateTime kMoment{2026, 12, 7, 15, 53, 4};

/** The names in a folder, sorted: a temporary file left by a failed replace shows up here. */
std::vector<std::string> namesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

/** A full disk told as such: the file's path and the system's reason are in the text. */
bool toldFullDisk(const Error& error, const std::filesystem::path& file)
{
    return error.kind() == ErrorKind::DiskFull && error.text().find(file.string()) != std::string::npos &&
           error.text().find("File too large") != std::string::npos;
}

/** Child exit codes: 0 the write failed as a full disk should be told, 1 it was taken as written. */
int failsAsFullDisk(const Result<void>& written, const std::filesystem::path& file)
{
    if (written.ok())
        return 1;
    return toldFullDisk(written.error(), file) ? 0 : 2;
}

TEST(FullDisk, ResultsAndSessionLogKeepOnlyWholeRecords)
{
    testing::TempFolder folder;
    const ResultsFile results(folder.file("JumpMeasurementResults120726.txt"));
    const SessionLog log(folder.file("JumpMeasurementLog120726.txt"));
    ASSERT_TRUE(results.append(commentRecord(kMoment, "first jump")).ok());
    ASSERT_TRUE(log.append(sessionStartEntry(kMoment)).ok());
    const std::string resultsBefore = fileBytes(results.path());
    const std::string logBefore = fileBytes(log.path());

    const std::string reride = rerideRecord(kMoment, RerideKind::Mandatory);
    const std::string capture =
        contactEntry(kMoment, {"Smith, John", "3"}, 57, "/videos/Smith, Johnjump3.avi");
    const std::size_t limit = std::max(resultsBefore.size(), logBefore.size()) + 12;
    EXPECT_EQ(testing::runWithFileSizeLimit(
                  limit, [&] { return failsAsFullDisk(results.append(reride), results.path()); }),
              0);
    EXPECT_EQ(testing::runWithFileSizeLimit(limit,
                                            [&] { return failsAsFullDisk(log.append(capture), log.path()); }),
              0);
    EXPECT_EQ(fileBytes(results.path()), resultsBefore);
    EXPECT_EQ(fileBytes(log.path()), logBefore);

    // A session log that could not take even its first line is not left as an empty file.
    const SessionLog nextDay(folder.file("JumpMeasurementLog120826.txt"));
    EXPECT_EQ(
        testing::runWithFileSizeLimit(
            10, [&] { return failsAsFullDisk(nextDay.append(sessionStartEntry(kMoment)), nextDay.path()); }),
        0);
    EXPECT_FALSE(std::filesystem::exists(nextDay.path()));

    ASSERT_TRUE(results.append(reride).ok());
    ASSERT_TRUE(log.append(capture).ok());
    EXPECT_EQ(fileBytes(results.path()), resultsBefore + reride);
    EXPECT_EQ(fileBytes(log.path()), logBefore + capture);
}

TEST(FullDisk, APublishedResultLeavesEachExchangeFileWhole)
{
    testing::TempFolder folder;
    const ExchangeFolder exchange(folder.path());
    const auto result = folder.file("qxresult.dst");
    const auto raw = folder.file("qxraw.dst");
    const std::string oldResult = "OK,  45.1,  148, 3\r\n";
    const std::string oldRaw = "15:50:01 ,Smith,OK,  44.0,  144, 2\r\n15:52:11 ,Smith,OK,  45.1,  148, 3\r\n";
    testing::writeBytes(result, oldResult);
    testing::writeBytes(raw, oldRaw);
    const ResultLine fall = resultLine("Fall", "", "", "4");

    // No room for the new latest result: neither file changes.
    EXPECT_EQ(testing::runWithFileSizeLimit(
                  8, [&] { return failsAsFullDisk(exchange.publishResult(fall, "Smith", kMoment), result); }),
              0);
    EXPECT_EQ(fileBytes(result), oldResult);
    EXPECT_EQ(fileBytes(raw), oldRaw);

    // Room for the latest result but not for the raw line: that one goes back to its whole lines.
    EXPECT_EQ(testing::runWithFileSizeLimit(
                  oldRaw.size() + 10,
                  [&] { return failsAsFullDisk(exchange.publishResult(fall, "Smith", kMoment), raw); }),
              0);
    EXPECT_EQ(fileBytes(result), "Fall, 0, 0,4\r\n");
    EXPECT_EQ(fileBytes(raw), oldRaw);
    EXPECT_THAT(namesIn(folder.path()), ElementsAre("qxraw.dst", "qxresult.dst"));

    ASSERT_TRUE(exchange.publishResult(fall, "Smith", kMoment).ok());
    EXPECT_EQ(fileBytes(raw), oldRaw + "15:53:04 ,Smith,Fall, 0, 0,4\r\n");
}

TEST(FullDisk, AClipFlagThatCannotBeResetStaysReady)
{
    testing::TempFolder folder;
    const ExchangeFolder exchange(folder.path());
    const auto flag = folder.file("clipflag.txt");
    testing::writeBytes(flag, "Ready\r\n");

    EXPECT_EQ(
        testing::runWithFileSizeLimit(2, [&] { return failsAsFullDisk(exchange.resetClipFlag(), flag); }), 0);
    EXPECT_EQ(fileBytes(flag), "Ready\r\n");
    EXPECT_TRUE(exchange.isClipboardReady());
    EXPECT_THAT(namesIn(folder.path()), ElementsAre("clipflag.txt"));

    ASSERT_TRUE(exchange.resetClipFlag().ok());
    EXPECT_FALSE(exchange.isClipboardReady());
}

/** The measurement screen's drawing as the bitmap writer stores it: a 20 x 10 picture, 654 bytes. */
class BitmapDrawing final : public PictureDrawing
{
public:
    Result<void> saveDrawing(const std::filesystem::path& file) override
    {
        VideoFrame frame;
        frame.width = 20;
        frame.height = 10;
        frame.bytesPerLine = dibRowBytes(frame.width);
        frame.bgr.assign(static_cast<std::size_t>(frame.bytesPerLine * frame.height), 0x80);
        cDIB bitmap;
        if (!bitmap.CreateFromPackedDIBPointer(packedDibFromFrame(frame)))
            return Error("no bitmap");
        return bitmap.WriteToFile(file);
    }
};

class FullDiskPictureSave : public testing::PictureSaveFolders
{
protected:
    std::filesystem::path picture() const { return pictures() / "20715530.bmp"; }

    /** Saves in a child whose files stop at limit; 0 when the last message is lead + the full disk. */
    int saveOnFullDisk(std::size_t limit, const std::string& lead, const std::filesystem::path& file)
    {
        return testing::runWithFileSizeLimit(limit, [&] {
            testing::ScriptedPrompts prompts;
            if (savePicture(values, places, clock, prompts, drawing).ok())
                return 1;
            const std::string told = prompts.last().text();
            return told.starts_with(lead) && told.find(file.string()) != std::string::npos &&
                           told.find("File too large") != std::string::npos
                       ? 0
                       : 2;
        });
    }

    MeasurementValues values;
    FixedClock clock{kMoment};
    BitmapDrawing drawing;
};

TEST_F(FullDiskPictureSave, APictureThatDoesNotFitIsNeitherKeptNorRecorded)
{
    testing::writeBytes(picture(), "an older picture of the same name");
    EXPECT_EQ(saveOnFullDisk(300, "The picture was not saved. ", picture()), 0);
    EXPECT_EQ(fileBytes(picture()), "an older picture of the same name");
    EXPECT_THAT(namesIn(pictures()), ElementsAre("20715530.bmp"));
    EXPECT_TRUE(namesIn(current()).empty());
    EXPECT_FALSE(std::filesystem::exists(places.results.path()));
    EXPECT_FALSE(std::filesystem::exists(places.sessionLog.path()));
}

TEST_F(FullDiskPictureSave, APictureWhoseRecordDoesNotFitIsToldAndTheRecordsStayWhole)
{
    const std::string earlier(1000, 'r');
    testing::writeBytes(places.results.path(), earlier.substr(0, 998) + "\r\n");
    EXPECT_EQ(saveOnFullDisk(1010, "The picture was saved but not recorded. ", places.results.path()), 0);
    EXPECT_EQ(fileBytes(picture()).size(), 654u);
    EXPECT_EQ(fileBytes(places.results.path()), earlier.substr(0, 998) + "\r\n");
    EXPECT_TRUE(namesIn(current()).empty());
    EXPECT_FALSE(std::filesystem::exists(places.sessionLog.path()));

    testing::ScriptedPrompts prompts;
    ASSERT_TRUE(savePicture(values, places, clock, prompts, drawing).ok());
    const std::string name = places.pictures_path + "20715530.bmp";
    EXPECT_EQ(fileBytes(places.results.path()),
              earlier.substr(0, 998) + "\r\n12-07-2026 15:53:04 Saved picture: " + name + "\r\n");
    EXPECT_EQ(fileBytes(current() / "20715530.bmp.info"), name + ", Smith, 3\r\n");
    EXPECT_THAT(fileBytes(places.sessionLog.path()), ::testing::EndsWith("File: " + name + "\r\n"));
}

} // namespace
} // namespace leapmark
