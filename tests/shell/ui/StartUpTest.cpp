#include "capture/ui/CapturePanel.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "support/GoldenFile.h"
#include "support/app/AppHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace leapmark {
namespace {

using testing::AppHarness;
using ::testing::ElementsAre;
using testing::fileBytes;
using testing::goldenFile;
using testing::PromptKind;
using testing::RecordedPrompt;

const char* const kVideoDirPrompt =
    "No Correct Save Video Directory has been set.  Please put in the path of the Save Video Directory here.";

std::string text(const QLineEdit* box)
{
    return box->text().toStdString();
}
std::string text(const QLabel* label)
{
    return label->text().toStdString();
}

std::vector<InputRequest> inputRequests(const testing::ScriptedPrompts& prompts)
{
    std::vector<InputRequest> requests;
    for (const RecordedPrompt& prompt : prompts.prompts())
        if (prompt.kind == PromptKind::Input)
            requests.push_back(prompt.input);
    return requests;
}

TEST(StartUp, RunsItsStepsInOrderAndEndsOnTheConfigurationScreen)
{
    AppHarness app;
    app.useVideoDir();
    app.start();

    EXPECT_THAT(app.prompts().texts(), ElementsAre("Do you want to reset all parameters to install values?",
                                                   "No MCI capture devices are installed on this system",
                                                   "Please Verify all Setup Parameters"));
    EXPECT_EQ(app.mainForm().windowTitle(), QStringLiteral("Leapmark 2005"));
    EXPECT_TRUE(app.config().isVisible());
    EXPECT_FALSE(app.mainForm().isVisible());

    const MainForm& main = app.mainForm();
    EXPECT_EQ(text(main.txtVideoDir), app.videoDir().string());
    EXPECT_EQ(text(main.lblVideodir), app.videoDir().string());
    EXPECT_EQ(app.session().config.video_dir, app.videoDir().string());
    EXPECT_EQ(app.session().config.session_log_name, "JumpMeasurementLog120726.txt");
    EXPECT_EQ(app.settings().read(keys::logfile), "JumpMeasurementLog120726.txt");
    EXPECT_TRUE(app.capture().preview());

    // The capture panel starts hidden, on stream capture, without a device.
    CapturePanel& panel = app.screens().capturePanel();
    EXPECT_TRUE(panel.Frame3->isHidden());
    EXPECT_TRUE(panel.StrmOptions->isHidden());
    EXPECT_TRUE(panel.LblStatus->isHidden());
    ASSERT_EQ(panel.Combo1->count(), 1);
    EXPECT_EQ(panel.Combo1->currentText(), QStringLiteral("No Capture Devices"));
    EXPECT_EQ(panel.CaptureType->currentText(), QStringLiteral("Streams"));
    EXPECT_EQ(panel.CmdCap->text(), QStringLiteral("Capture Stream"));
    EXPECT_EQ(panel.EdtFile->text(), QStringLiteral("testvid.avi"));
    EXPECT_EQ(panel.CmdConnect->text(), QStringLiteral("Connect"));
}

TEST(StartUp, TwoStartsOnOneDayAppendToTheSameSessionLog)
{
    AppHarness app;
    app.useVideoDir();
    app.start();
    app.restart();
    app.clock().set(2026, 12, 7, 16, 10, 0);
    app.start();

    EXPECT_EQ(fileBytes(app.sessionLogPath()),
              goldenFile("two-starts-session-log/JumpMeasurementLog120726.txt"));
}

TEST(StartUp, AsksForAnExistingVideoFolderUntilOneIsGiven)
{
    AppHarness app;
    app.settings().write(keys::logpath, (app.scratchDir() / "deleted").string());
    app.prompts().cancelInput();
    app.prompts().answerInput((app.scratchDir() / "no-such-folder").string());
    app.prompts().answerInput(app.videoDir().string());
    app.start();

    const InputRequest expected{kVideoDirPrompt, "Input Save Video Files Path", "", std::nullopt};
    EXPECT_THAT(inputRequests(app.prompts()), ElementsAre(expected, expected, expected));
    const MessageRequest invalid{"You entered an invalid path - try  again", "", MessageButtons::Ok,
                                 MessageIcon::None, DefaultButton::First};
    std::vector<MessageRequest> invalids;
    for (const MessageRequest& message : app.prompts().messages())
        if (message.text == invalid.text)
            invalids.push_back(message);
    EXPECT_THAT(invalids, ElementsAre(invalid, invalid));
    EXPECT_TRUE(app.prompts().allAnswersUsed());

    EXPECT_EQ(app.settings().read(keys::logpath), app.videoDir().string());
    EXPECT_TRUE(std::filesystem::exists(app.sessionLogPath()));
}

TEST(StartUp, ATypedTrailingSeparatorIsNotPartOfTheVideoFolder)
{
    for (const char* separator : {"/", "\\"}) {
        SCOPED_TRACE(separator);
        AppHarness app;
        const std::string typed = app.videoDir().string() + separator;
        app.prompts().answerInput(typed);
        app.start();

        // The folder is stored as the folder it names, once, when it is accepted.
        EXPECT_EQ(app.session().config.video_dir, app.videoDir().string());
        EXPECT_EQ(app.settings().read(keys::logpath), app.videoDir().string());
        EXPECT_EQ(text(app.mainForm().txtVideoDir), app.videoDir().string());
        EXPECT_TRUE(std::filesystem::exists(app.sessionLogPath()));
        EXPECT_EQ(app.session().config.results_path,
                  app.videoDir().string() + "/JumpMeasurementResults120726.txt");
    }
}

TEST(StartUp, EditingTheVideoFolderStoresItWithoutItsTrailingSeparator)
{
    AppHarness app;
    app.useVideoDir();
    app.start();
    app.mainForm().txtVideoDir->setText(QStringLiteral("/data/jumps/"));

    EXPECT_EQ(app.session().config.video_dir, "/data/jumps");
    EXPECT_EQ(app.settings().read(keys::logpath), "/data/jumps");
}

TEST(StartUp, TheRateSummaryFollowsTheFrameRate)
{
    struct Case
    {
        const char* framerate;
        const char* label;
    };
    for (const Case& c :
         {Case{"15", "Currently Configured for L"}, Case{"30", "Currently Configured for R"},
          Case{"12", "Currently Configured for Normal/C"}, Case{"4", "Currently Configured for R"}}) {
        SCOPED_TRACE(c.framerate);
        AppHarness app;
        app.useVideoDir();
        app.settings().write(keys::framerate, c.framerate);
        app.start();
        EXPECT_EQ(text(app.mainForm().lblConfig), c.label);
        EXPECT_EQ(text(app.screens().capturePanel().EdtRate), c.framerate);
    }
}

TEST(StartUp, WithoutAStoredRateTheDeviceRateIsShownAndStored)
{
    AppHarness app;
    app.useVideoDir();
    app.capture().setFrameRate(25.0);
    app.start();

    EXPECT_EQ(text(app.screens().capturePanel().EdtRate), "25");
    EXPECT_EQ(app.settings().read(keys::framerate), "25");
}

TEST(StartUp, TypingARateStoresItAndUpdatesTheSummary)
{
    AppHarness app;
    app.useVideoDir();
    app.start();
    CapturePanel& panel = app.screens().capturePanel();

    AppHarness::typeInto(panel.EdtRate, "20");
    EXPECT_EQ(app.settings().read(keys::framerate), "20");
    EXPECT_EQ(app.capture().frameRate(), 20.0);
    EXPECT_EQ(text(app.mainForm().lblConfig), "Currently Configured for L");

    // Below 5 frames a second the summary keeps what it said.
    AppHarness::typeInto(panel.EdtRate, "3");
    EXPECT_EQ(app.settings().read(keys::framerate), "3");
    EXPECT_EQ(text(app.mainForm().lblConfig), "Currently Configured for L");
}

TEST(StartUp, BarefootTimingComesFromItsSettingAndIsStoredOnEveryClick)
{
    AppHarness app;
    app.useVideoDir();
    app.settings().write(keys::barefoot, "1");
    app.start();
    QCheckBox* cb15 = app.mainForm().cb15;
    EXPECT_TRUE(cb15->isChecked());
    EXPECT_EQ(cb15->text(), QStringLiteral("Enable Barefoot Timing (15 sec)"));

    AppHarness::click(cb15);
    EXPECT_EQ(app.settings().read(keys::barefoot), "0");
    AppHarness::click(cb15);
    EXPECT_EQ(app.settings().read(keys::barefoot), "1");
}

TEST(StartUp, ASessionLogThatCannotBeWrittenIsReported)
{
    AppHarness app;
    app.useVideoDir();
    // A folder in the way of the log file: the append fails.
    std::filesystem::create_directories(app.sessionLogPath());
    app.start();

    bool reported = false;
    for (const MessageRequest& message : app.prompts().messages())
        reported = reported || message.text.find(app.sessionLogPath().string()) != std::string::npos;
    EXPECT_TRUE(reported);
    EXPECT_EQ(app.settings().read(keys::logfile), "");
    EXPECT_TRUE(app.config().isVisible());
}

} // namespace
} // namespace leapmark

namespace leapmark {
namespace {

TEST(StartUp, AnUnansweredFolderPromptEndsTheTestInsteadOfHangingIt)
{
    EXPECT_NONFATAL_FAILURE(
        {
            testing::AppHarness app; // no video folder and no scripted answer: the prompt repeats
            try {
                app.start();
            } catch (const std::runtime_error&) {
            }
        },
        "prompt loop");
}

} // namespace
} // namespace leapmark
