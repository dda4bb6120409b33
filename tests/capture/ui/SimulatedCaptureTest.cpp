#include "capture/ffmpeg/CapturedVideo.h"
#include "capture/ui/CapturePanel.h"
#include "capture/ui/LivePreview.h"
#include "capture/ui/PreviewForm.h"
#include "review/ui/frmSetStart.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "simulator/SimulatedVideoDevice.h"
#include "support/app/AppHarness.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace leapmark {
namespace {

using testing::AppHarness;
using ::testing::Contains;
using ::testing::Not;

/**
 * The whole program on the FFmpeg back end with the simulated camera at 320x240 and 30 frames per
 * second, whose skier lands 0.6 s after Start Recording; started and back on the main screen.
 */
class SimulatedCapture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app.useVideoDir();
        app.settings().write(keys::captureTime, "3");
        app.start();
        app.config().hide();
        app.mainForm().showScreen();
    }

    CapturePanel& panel() { return app.screens().capturePanel(); }
    PreviewForm& form() { return app.screens().previewForm(); }

    /** "Proceed to Record Jumps", and the first live pictures. */
    void goToCapture()
    {
        AppHarness::click(app.mainForm().cmdGoCapture);
        ASSERT_TRUE(form().isVisible());
        ASSERT_TRUE(AppHarness::waitFor([&] { return form().CapturePRO1->frameNumber() >= 0; }));
    }

    AppHarness app{testing::HarnessCamera::Simulated, LiveJumpTiming{0.6, 10.0, 4.0}};
};

TEST_F(SimulatedCapture, AMachineWithoutACameraConnectsTheSimulatedOne)
{
    EXPECT_THAT(app.prompts().texts(), Not(Contains("No MCI capture devices are installed on this system")));
    EXPECT_EQ(panel().Combo1->currentText(), QString::fromLatin1(SimulatedVideoDevice::deviceName));
    EXPECT_EQ(panel().CmdConnect->text(), QStringLiteral("Disconnect"));
    EXPECT_TRUE(app.backEnd()->connected());
    EXPECT_EQ(panel().ResolutionCombo->currentText(), QStringLiteral("320x240"));
    EXPECT_EQ(panel().CompressionCombo->currentText(), QStringLiteral("Motion JPEG"));
    EXPECT_EQ(panel().EdtRate->text(), QStringLiteral("30"));

    // The live picture shows the newest frame, again and again.
    goToCapture();
    const std::int64_t first = form().CapturePRO1->frameNumber();
    ASSERT_TRUE(AppHarness::waitFor([&] { return form().CapturePRO1->frameNumber() > first + 3; }));
    EXPECT_EQ(form().CapturePRO1->picture().size(), QSize(320, 240));
}

TEST_F(SimulatedCapture, ARecordedJumpReachesFrameSelectionWithItsLandingInTheFile)
{
    goToCapture();
    form().txtSkierName->setText(QStringLiteral("Ann"));
    AppHarness::click(form().cmdStartCapture);
    ASSERT_TRUE(form().cmdEndCapture->isEnabled());
    const std::int64_t landing = simulatedCameraOf(app.backEnd()->connectedDevice())->landingFrameNumber();
    // The operator sees the skis touch the water and presses Contact a moment later.
    ASSERT_TRUE(AppHarness::waitFor([&] { return form().CapturePRO1->frameNumber() >= landing + 3; }));
    AppHarness::click(form().cmdStartTimer);
    const int hint = app.session().capture.contact_hint_frame;
    AppHarness::wait(300);
    AppHarness::click(form().cmdEndCapture);

    const std::filesystem::path file = app.videoDir() / "Annjump1.avi";
    EXPECT_EQ(app.session().capture.video_path, file.string());
    EXPECT_TRUE(app.screens().setStart().isVisible());
    AppHarness::waitFor([&] { return !app.screens().setStart().Text6->text().isEmpty(); });
    EXPECT_EQ(app.screens().setStart().Text6->text().toStdString(), file.string());
    EXPECT_EQ(app.session().navigation_origin, NavigationOrigin::Capture);
    EXPECT_EQ(app.session().capture.captured_rate, 30.0);
    EXPECT_EQ(form().txtPass->text(), QStringLiteral(" 2"));
    EXPECT_EQ(panel().LblFrmDrop->text(), QStringLiteral("0"));

    const auto video = testing::readCapturedVideo(file);
    ASSERT_TRUE(video);
    EXPECT_EQ(video->frameCount, app.session().capture.captured_frames);
    const auto found = std::find(video->stamps.begin(), video->stamps.end(), landing);
    ASSERT_NE(found, video->stamps.end());
    const std::int64_t landingIndex = found - video->stamps.begin();
    EXPECT_NEAR(static_cast<double>(landingIndex), 18.0, 2.0);
    // Contact came after the landing, within the few frames the operator took.
    EXPECT_GE(hint, landingIndex);
    EXPECT_LE(hint, landingIndex + 12);
}

TEST_F(SimulatedCapture, ThePreTriggerBufferKeepsTheSecondBeforeStartAndMovesTheHint)
{
    panel().PreTrigger->setCurrentIndex(2); // 1 s
    panel().PreTrigger_Click();
    goToCapture();
    AppHarness::wait(1200);
    form().txtSkierName->setText(QStringLiteral("Bo"));
    AppHarness::click(form().cmdStartCapture);
    AppHarness::wait(400);
    QTest::keyClick(form().cmdStartTimer, Qt::Key_Escape);

    EXPECT_TRUE(app.screens().setStart().isVisible());
    const CaptureCounters counters = app.backEnd()->counters();
    EXPECT_EQ(counters.preTriggerFrames, 30);
    // No Contact: the middle of the 3 s at 30 fps, after the 30 frames from before Start.
    EXPECT_EQ(app.session().capture.contact_hint_frame, 45 + 30);
    const auto video = testing::readCapturedVideo(app.videoDir() / "Bojump1.avi");
    ASSERT_TRUE(video);
    EXPECT_EQ(video->frameCount, counters.totalFrames);
    EXPECT_GE(video->frameCount, 30 + 10);
    const std::int64_t landing = simulatedCameraOf(app.backEnd()->connectedDevice())->landingFrameNumber();
    EXPECT_NEAR(static_cast<double>(landing - video->stamps[0]), 30.0 + 18.0, 1.0);
}

} // namespace
} // namespace leapmark
