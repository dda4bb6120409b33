#include "review/FrameSelectionRules.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>
#include <vector>

namespace leapmark {
namespace {

TEST(FrameSelectionRules, RunLengthAndPreRoll)
{
    EXPECT_EQ(runFrames(30.0, false), 599);
    EXPECT_EQ(runFrames(25.0, false), 500);
    EXPECT_EQ(runFrames(25.0, true), 375);
    EXPECT_EQ(runFrames(30.0, true), 450);

    // 2 s before frame 40 at 30 fps reaches back past frame 1: from 0, for the 40 frames plus 300 ms.
    PreRollPlan plan = preRollPlan(2.0, 30.0, 40);
    EXPECT_EQ(plan.selectionStart, 0.0);
    EXPECT_EQ(plan.selectionEnd, 40.0);
    EXPECT_EQ(plan.intervalMs, 1633);
    plan = preRollPlan(2.0, 30.0, 100);
    EXPECT_EQ(plan.selectionStart, 40.0);
    EXPECT_EQ(plan.selectionEnd, 100.0);
    EXPECT_EQ(plan.intervalMs, 2300);
    plan = preRollPlan(1.5, 30.0, 0);
    EXPECT_EQ(plan.selectionEnd, 1.0);
    EXPECT_EQ(plan.intervalMs, 300);
    plan = preRollPlan(2.0, 0.0, 40); // a rate that could not be read
    EXPECT_EQ(plan.selectionStart, 0.0);
    EXPECT_EQ(plan.intervalMs, 2300);

    EXPECT_EQ(clampedPreRollSeconds("0.5"), "1");
    EXPECT_EQ(clampedPreRollSeconds("0"), "1");
    EXPECT_EQ(clampedPreRollSeconds(""), std::nullopt) << "emptied while typing";
    EXPECT_EQ(clampedPreRollSeconds("7"), "5");
    EXPECT_EQ(clampedPreRollSeconds("3.5"), std::nullopt);
}

TEST(FrameSelectionRules, DiskSpaceShowsWholeMegabytesAndWarnsBelow200)
{
    DiskSpaceView view = diskSpaceView("/videos", 150'000'000);
    EXPECT_EQ(view.amount, " 150 MB");
    EXPECT_TRUE(view.low);
    view = diskSpaceView("/videos", 200'999'999);
    EXPECT_EQ(view.amount, " 200 MB");
    EXPECT_FALSE(view.low);
#ifdef _WIN32
    EXPECT_EQ(diskSpaceView("D:\\Videos", 0).label, "Disk Space Available D:");
    EXPECT_EQ(diskSpaceView("\\\\server\\videos", 0).label, "Disk Space Available C:");
#else
    EXPECT_EQ(view.label, "Disk Space Available /videos");
#endif
}

TEST(FrameSelectionRules, SkierAndJumpAreCutOutOfTheCaptureName)
{
    auto parts = captureNameParts("C:\\Videos\\Annjump3.avi");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->skier, "Ann");
    EXPECT_EQ(parts->jump, "3");
    parts = captureNameParts("/v/Ann jump3.avi");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->skier, "Ann ");
    parts = captureNameParts("/v/jumpyjump12.avi");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->skier, "jumpy");
    EXPECT_EQ(parts->jump, "12");

    EXPECT_FALSE(captureNameParts("/v/Annjump3.mp4")) << "no .avi";
    EXPECT_FALSE(captureNameParts("/v/Annjump12345678.avi")) << "\"jump\" too far before .avi";
    EXPECT_FALSE(captureNameParts("/jump/x.avi")) << "a folder named jump";
    EXPECT_FALSE(captureNameParts("/v.avi/Annjump3.avi")) << "the first .avi is a folder's";

    EXPECT_EQ(contactEntry({2026, 12, 7, 15, 53, 4}, {"Ann", "3"}, 40, "/v/Annjump3.avi"),
              "12-07-202615:53:04Skier: AnnJump: 3Contact Frame:  40File: /v/Annjump3.avi\r\n");

    // Names as operators type them: commas and blanks, folders holding the word, the word in a name.
    const std::vector<std::pair<std::string, CaptureNameParts>> named = {
        {"D:\\Jumps\\Smith, Johnjump12.avi", {"Smith, John", "12"}},
        {"/data/jumps/Lee/Ann Leejump2.avi", {"Ann Lee", "2"}},
        {"/v/Highjumper Kimjump4.avi", {"Highjumper Kim", "4"}},
        {"/v/jump3.avi", {"", "3"}},
    };
    for (const auto& [path, expected] : named) {
        parts = captureNameParts(path);
        ASSERT_TRUE(parts) << path;
        EXPECT_EQ(parts->skier, expected.skier) << path;
        EXPECT_EQ(parts->jump, expected.jump) << path;
    }
    for (const char* unnamed : {"/videos/testvid.avi", "/videos/Smithjump3.AVI", "jump", "", "/videos/"})
        EXPECT_FALSE(captureNameParts(unnamed)) << unnamed;
}

TEST(FrameSelectionRules, TheSideFileRemembersTheFrame)
{
    testing::TempFolder folder;
    const std::string video = (folder.path() / "Annjump2.avi").string();
    EXPECT_EQ(sideFilePath(video), folder.path() / "Annjump2.avi.info");
    EXPECT_EQ(sideFileText(video, 57), video + ", 57\r\n");
    auto read = readSideFileFrame(video);
    ASSERT_TRUE(read);
    EXPECT_FALSE(*read) << "no side file yet";
    std::ofstream(sideFilePath(video), std::ios::binary) << sideFileText(video, 57);
    read = readSideFileFrame(video);
    ASSERT_TRUE(read);
    EXPECT_EQ(**read, " 57");
    std::ofstream(sideFilePath(video), std::ios::binary) << "no comma here\r\n";
    EXPECT_EQ(**readSideFileFrame(video), " 0");
}

} // namespace
} // namespace leapmark
