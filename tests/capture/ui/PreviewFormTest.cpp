#include "capture/CaptureEvents.h"
#include "review/ui/frmSetStart.h"
#include "settings/SettingsKeys.h"
#include "support/app/AppHarness.h"

#include "capture/ui/CaptureScreenFixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>

#include <functional>

namespace leapmark {
namespace {

using testing::AppHarness;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class CaptureScreen : public testing::CaptureScreenFixture
{};

TEST_F(CaptureScreen, WithoutASavedLengthFiveSecondsAreChosenAndSaved)
{
    EXPECT_EQ(form().captureTimeValue->currentText(), QStringLiteral("5.0"));
    EXPECT_EQ(form().captureSeconds(), 5.0);
    EXPECT_EQ(settings.read(keys::captureTime), "5");
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Leapmark 2005 Capture Screen"));
    EXPECT_EQ(form().cmdStartCapture->text(), QStringLiteral("Start Recording     (skier hits ramp)"));
    EXPECT_FALSE(form().cmdEndCapture->isEnabled());
    EXPECT_FALSE(form().cmdStartTimer->isEnabled());
    EXPECT_EQ(camera.listener, &form());
}

TEST_F(CaptureScreen, ASavedLengthIsSelectedAndAChoiceIsKept)
{
    settings.write(keys::captureTime, "3");
    EXPECT_EQ(form().captureTimeValue->currentText(), QStringLiteral("3.0"));
    EXPECT_EQ(form().captureSeconds(), 3.0);
    form().captureTimeValue->setCurrentIndex(3);
    form().captureTimeValue_Click();
    EXPECT_EQ(form().captureSeconds(), 6.0);
    EXPECT_EQ(settings.read(keys::captureTime), "6");
}

TEST_F(CaptureScreen, ArrivalMovesThePassPastExistingFilesWithBothWarnings)
{
    form().txtSkierName->setText(QStringLiteral("Ann"));
    for (const char* name : {"Annjump1.avi", "Annjump2.avi", "Annjump3.avi"})
        existing(name);
    arrive();
    EXPECT_EQ(form().txtPass->text(), QStringLiteral(" 4"));
    EXPECT_THAT(
        prompts.messages(),
        ElementsAre(MessageRequest{"Warning, the pass number was changed because a file for that pass "
                                   "already existed.  You may need to change the skier name",
                                   "Duplicate File Warning", MessageButtons::Ok, MessageIcon::Exclamation,
                                   DefaultButton::First},
                    MessageRequest{"Warning, the jump number is greater than 3.  You may need to "
                                   "change the skier name",
                                   "Possible Name Change Warning", MessageButtons::Ok,
                                   MessageIcon::Exclamation, DefaultButton::First}));
    EXPECT_EQ(session.navigation_origin, NavigationOrigin::None);
    EXPECT_EQ(form().captime->text(), QStringLiteral(" 5"));

    // Once per arrival: coming back from elsewhere does not look again.
    prompts.clear();
    form().hide();
    arrive(NavigationOrigin::Capture);
    EXPECT_THAT(prompts.messages(), IsEmpty());
}

TEST_F(CaptureScreen, NamesWithACommaOrAWayOutOfTheVideoFolderAreRefusedAndCleaned)
{
    form().txtPass->setText(QStringLiteral("3"));
    AppHarness::typeInto(form().txtSkierName, "Lee, Ann");
    EXPECT_EQ(form().txtSkierName->text(), QStringLiteral("Lee  Ann"));
    EXPECT_EQ(form().txtPass->text(), QStringLiteral("1"));
    ASSERT_FALSE(prompts.messages().empty());
    EXPECT_EQ(prompts.messages()[0],
              (MessageRequest{"Sorry, you cannot use the \",\" character in this box", "Input Error",
                              MessageButtons::Ok, MessageIcon::None, DefaultButton::First}));

    prompts.clear();
    form().txtSkierName->setText(QStringLiteral("../../home/ann"));
    EXPECT_EQ(form().txtSkierName->text(), QStringLiteral(".  .  home ann"));
    EXPECT_THAT(prompts.texts(), ElementsAre("Sorry, you cannot use the \"/\" character in this box"));

    // The file stays in the video folder.
    camera.counts.totalFrames = 10;
    form().cmdStartCapture_Click();
    const std::filesystem::path recorded = form().capturePath();
    EXPECT_EQ(recorded.parent_path(), folder.path());
    EXPECT_EQ(recorded.filename(), ".  .  home annjump1.avi");
}

TEST_F(CaptureScreen, StartRecordingNeverOverwritesAndSaysSo)
{
    form().txtSkierName->setText(QStringLiteral("Ann"));
    existing("Annjump1.avi");
    existing("AnnXjump1.avi");
    form().cmdStartCapture_Click();
    EXPECT_EQ(form().txtSkierName->text(), QStringLiteral("AnnXX"));
    EXPECT_EQ(form().txtPass->text(), QStringLiteral("1"));
    EXPECT_EQ(camera.stream, (folder.path() / "AnnXXjump1.avi").string());
    EXPECT_TRUE(form().Label4->isVisibleTo(&form()));
    EXPECT_EQ(form().Label4->text(),
              QStringLiteral("WARNING! Skier Name has been changed to AnnXX to prevent duplicate files"));
    EXPECT_EQ(camera.startCount, 1);
    EXPECT_FALSE(form().cmdStartCapture->isEnabled());
    EXPECT_TRUE(form().cmdStartTimer->isEnabled());
    EXPECT_TRUE(form().cmdEndCapture->isEnabled());
    EXPECT_FALSE(form().cmdGoToTimer->isEnabled());
    EXPECT_FALSE(form().cmdGoSetup->isEnabled());
    EXPECT_TRUE(form().Timer40->isActive());
    EXPECT_EQ(form().Timer40->interval(), 1000);
}

TEST_F(CaptureScreen, AStartTheDeviceRefusesIsReportedWithItsCodeAndLeavesTheScreenIdle)
{
    camera.startFailure =
        Error("Could not create /videos/Annjump1.avi: the disk is full", ErrorKind::DiskFull);
    form().cmdStartCapture_Click();
    EXPECT_THAT(prompts.messages(),
                ElementsAre(MessageRequest{
                    "Eror code: 80070070 Could not create /videos/Annjump1.avi: the disk is full", "Error",
                    MessageButtons::Ok, MessageIcon::None, DefaultButton::First}));
    EXPECT_TRUE(form().cmdStartCapture->isEnabled());
    EXPECT_FALSE(form().cmdEndCapture->isEnabled());
    EXPECT_FALSE(form().Timer40->isActive());
}

TEST_F(CaptureScreen, ContactNotesTheFrameAndStopHandsTheFileToFrameSelection)
{
    form().txtSkierName->setText(QStringLiteral("Ann"));
    panel().EdtRate->setText(QStringLiteral("30"));
    form().cmdStartCapture_Click();
    camera.counts = {87, 2, 0, 2900, 0};
    form().cmdStartTimer_Click();
    EXPECT_EQ(form().lblStartFrame->text(), QStringLiteral("87"));
    EXPECT_EQ(session.capture.contact_hint_frame, 87);

    camera.counts = {150, 3, 0, 5000, 0};
    form().cmdEndCapture_Click();
    EXPECT_EQ(camera.stopCount, 1);
    EXPECT_EQ(session.capture.contact_hint_frame, 87);
    EXPECT_EQ(session.capture.captured_frames, 150);
    EXPECT_EQ(session.capture.captured_rate, 30.0);
    EXPECT_EQ(form().txtPass->text(), QStringLiteral(" 2"));
    EXPECT_EQ(session.capture.video_path, (folder.path() / "Annjump1.avi").string());
    EXPECT_EQ(session.navigation_origin, NavigationOrigin::Capture);
    EXPECT_TRUE(screens.setStart().isVisible());
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(panel().LblFrames->text(), QStringLiteral("150"));
    EXPECT_EQ(panel().LblFrmDrop->text(), QStringLiteral("3"));
    EXPECT_EQ(panel().LblTime->text(), QStringLiteral("5000"));
    EXPECT_TRUE(form().cmdStartCapture->isEnabled());
    EXPECT_FALSE(form().cmdStartTimer->isEnabled());
    EXPECT_TRUE(form().cmdGoSetup->isEnabled());
}

TEST_F(CaptureScreen, TheCountdownEndsTheRecordingWithTheMiddleAsTheHintWhenNoContactWasNoted)
{
    panel().EdtRate->setText(QStringLiteral("30"));
    form().cmdStartCapture_Click();
    for (int tick = 1; tick <= 4; ++tick) {
        camera.counts.totalFrames = tick * 30;
        form().Timer40_Timer();
        EXPECT_EQ(form().captime->text().toStdString(), " " + std::to_string(5 - tick));
        EXPECT_EQ(form().LblFrame->text(), QString::number(tick * 30));
    }
    EXPECT_FALSE(screens.setStart().isVisible());
    EXPECT_EQ(camera.stopCount, 0);
    camera.counts.totalFrames = 150;
    form().Timer40_Timer();
    EXPECT_FALSE(form().Timer40->isActive());
    EXPECT_EQ(form().captime->text(), QStringLiteral(" 5"));
    EXPECT_EQ(camera.stopCount, 1); // through Stop Recording, which reports a failure
    EXPECT_EQ(session.capture.contact_hint_frame, 75);
    EXPECT_EQ(session.capture.captured_frames, 150);
    EXPECT_TRUE(screens.setStart().isVisible());
}

TEST_F(CaptureScreen, EscapeStopsARecordingAndTheHintFollowsThePreTriggerFrames)
{
    panel().EdtRate->setText(QStringLiteral("30"));
    form().Form_KeyDown(27); // nothing is recording: nothing to stop or hand over
    EXPECT_EQ(form().Text1->text(), QStringLiteral("27"));
    EXPECT_EQ(camera.stopCount, 0);
    EXPECT_FALSE(screens.setStart().isVisible());

    form().cmdStartCapture_Click();
    camera.counts = {60, 0, 0, 2000, 30};
    QTest::keyClick(form().cmdStartTimer, Qt::Key_Escape);
    EXPECT_EQ(camera.stopCount, 1);
    EXPECT_EQ(session.capture.contact_hint_frame, 75 + 30);
    EXPECT_TRUE(screens.setStart().isVisible());
    EXPECT_FALSE(form().Timer40->isActive());
}

TEST_F(CaptureScreen, AFileThatCouldNotBeFinishedIsReportedHoweverTheRecordingEndsAndStillHandedOver)
{
    panel().EdtRate->setText(QStringLiteral("30"));
    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"countdown",
         [this] {
             for (int tick = 0; tick < 5; ++tick)
                 form().Timer40_Timer();
         }},
        {"ESC", [this] { form().Form_KeyDown(27); }},
        {"Stop Recording", [this] { form().cmdEndCapture_Click(); }},
        {"title-bar close", [this] { form().close(); }},
    };
    for (const auto& [way, stop] : ways) {
        SCOPED_TRACE(way);
        form().showScreen();
        screens.setStart().hide();
        prompts.clear();
        form().cmdStartCapture_Click();
        camera.counts.totalFrames = 120;
        camera.stopFailure =
            Error("Could not finish " + form().capturePath() + ": the disk is full", ErrorKind::DiskFull);
        stop();
        ASSERT_EQ(prompts.messages().size(), 1u);
        EXPECT_EQ(prompts.messages()[0].icon, MessageIcon::Critical);
        EXPECT_THAT(prompts.messages()[0].text,
                    ::testing::HasSubstr(form().capturePath() + ": the disk is full"));
        EXPECT_FALSE(camera.stopFailure);
        EXPECT_TRUE(screens.setStart().isVisible());
        EXPECT_FALSE(form().isVisible()) << "one full screen at a time";
        EXPECT_EQ(session.capture.captured_frames, 120);
    }
}

TEST_F(CaptureScreen, EventsOfTheCaptureControlReachTheMainScreenAndTheOperator)
{
    panel().CmdCap->setText(QStringLiteral("End Capture"));
    camera.counts = {42, 1, 100, 1400, 0};
    form().captureStatus(capture_status::progress, "Captured 42 frames, 1 dropped");
    EXPECT_EQ(panel().LblFrames->text(), QStringLiteral("42"));
    EXPECT_EQ(panel().LblSamples->text(), QStringLiteral("100"));
    EXPECT_EQ(panel().LblStatus->text(), QStringLiteral("Captured 42 frames, 1 dropped"));
    form().captureStatus(capture_status::ended, "Capture finished");
    EXPECT_EQ(panel().CmdCap->text(), QStringLiteral("Capture Stream"));
    EXPECT_EQ(panel().LblStatus->text(), QStringLiteral("Captured 42 frames, 1 dropped"));
    form().captureMessage("Camera restarted");
    EXPECT_EQ(panel().LblStatus->text(), QStringLiteral("Camera restarted"));
    form().captureWarning("Recording stopped because the disk is full");
    EXPECT_THAT(prompts.texts(), ElementsAre("Warning: Recording stopped because the disk is full"));
}

TEST_F(CaptureScreen, LeavingForSetupOrTheRecordedJumps)
{
    screens.mainForm().hide();
    form().showScreen();
    form().cmdGoSetup_Click();
    EXPECT_EQ(session.navigation_origin, NavigationOrigin::Capture);
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(screens.mainForm().isVisible());

    form().showScreen();
    form().cmdGoToTimer_Click();
    EXPECT_EQ(session.navigation_origin, NavigationOrigin::CaptureGoToTimer);
    EXPECT_TRUE(screens.setStart().isVisible());

    // Closed by its title bar with nothing recording, the screen goes back to the main screen.
    screens.setStart().hide();
    screens.mainForm().hide();
    form().showScreen();
    form().close();
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(screens.mainForm().isVisible());
    EXPECT_EQ(camera.stopCount, 0);
}

} // namespace
} // namespace leapmark
