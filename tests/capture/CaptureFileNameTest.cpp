#include "capture/CaptureFileName.h"
#include "capture/CaptureErrorNumber.h"
#include "common/PathText.h"

#include <gtest/gtest.h>

#include <limits>

namespace leapmark {
namespace {

TEST(CaptureFileName, JoinsFolderNameJumpAndPassWithoutBlanks)
{
    const std::string sep(separatorText());
    EXPECT_EQ(captureFileName("/videos", "Ann", "2"), "/videos" + sep + "Annjump2.avi");
    EXPECT_EQ(captureFileName("/videos" + sep, "Ann", " 3"), "/videos" + sep + "Annjump3.avi");
    EXPECT_EQ(captureFileName("/videos", "Lee  Ann", "1"), "/videos" + sep + "Lee  Annjump1.avi");
}

TEST(CaptureFileName, NamesThatWouldLeaveTheVideoFolderAreRefusedAndCleanedLikeTheComma)
{
    EXPECT_EQ(skierNameProblem("Lee, Ann"), "Sorry, you cannot use the \",\" character in this box");
    EXPECT_EQ(cleanedSkierName("Lee, Ann"), "Lee  Ann");
    EXPECT_EQ(skierNameProblem("../../etc/x"), "Sorry, you cannot use the \"/\" character in this box");
    EXPECT_EQ(cleanedSkierName("../../etc/x"), ".  .  etc x");
    EXPECT_EQ(skierNameProblem("a\\b"), "Sorry, you cannot use the \"\\\" character in this box");
    EXPECT_EQ(skierNameProblem("Ann..Lee"), "Sorry, you cannot use \"..\" in this box");
    EXPECT_EQ(cleanedSkierName("Ann...Lee"), "Ann. .Lee");
    EXPECT_EQ(skierNameProblem("Ann?"), "Sorry, you cannot use the \"?\" character in this box");
    EXPECT_EQ(skierNameProblem("Ann\tLee"), "Sorry, you cannot use control characters in this box");
    EXPECT_EQ(skierNameProblem("Ann O'Neil-Smith Jr."), std::nullopt);
    EXPECT_EQ(skierNameProblem("Zoë"), std::nullopt);
    for (const char* name : {"a/b", "a:b", "a*b", "a|b", "a<b>", "a\"b", "x..y"})
        EXPECT_EQ(skierNameProblem(cleanedSkierName(name)), std::nullopt) << name;
}

TEST(CaptureFileName, TheMiddleOfTheCaptureFollowsThePreTriggerFrames)
{
    EXPECT_EQ(middleOfCaptureFrame(30.0, 5.0, 0), 75);
    EXPECT_EQ(middleOfCaptureFrame(25.0, 3.0, 0), 38); // 37.5 to even
    EXPECT_EQ(middleOfCaptureFrame(30.0, 5.0, 45), 120);
    // A rate typed as "1e300" gives the largest frame number a hint holds, not a wrapped cast.
    EXPECT_EQ(middleOfCaptureFrame(1e300, 5.0, 45), std::numeric_limits<int>::max());
    EXPECT_EQ(middleOfCaptureFrame(-30.0, 5.0, 45), 45);
}

TEST(CaptureErrorNumber, ErrorBoxesShowTheNumberAsTheySay)
{
    const Error full("the disk is full", ErrorKind::DiskFull);
    EXPECT_EQ(hexErrorBoxText(full), "Eror code: 80070070 the disk is full");
    EXPECT_EQ(decimalErrorBoxText(full), "Eror code: -2147024784 the disk is full");
    EXPECT_EQ(channelErrorBoxText(Error("no tuner")), "Error code: -2147467259 no tuner");
    EXPECT_EQ(captureErrorNumber(Error("x", ErrorKind::NotFound)), 0x80070002u);
}

} // namespace
} // namespace leapmark
