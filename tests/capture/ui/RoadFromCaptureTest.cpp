// The whole road of one jump on the simulated camera, screen to screen: a capture, frame selection
// starting at the Contact hint, the landing frame marked, the grid of the simulated buoys, a click on
// the true landing and Record Jump. The official figures must be those of the simulator's truth.
#include "capture/ffmpeg/CapturedVideo.h"
#include "capture/ui/LivePreview.h"
#include "capture/ui/PreviewForm.h"
#include "common/BlankTrim.h"
#include "common/Twips.h"
#include "measure/MeasuredJump.h"
#include "measure/ui/Measure.h"
#include "review/ui/VideoPlayer.h"
#include "review/ui/frmSetStart.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/picture/PictureSurface.h"
#include "simulator/GroundTruth.h"
#include "simulator/SimulatedGrid.h"
#include "simulator/SimulatedGridFile.h"
#include "simulator/SimulatedVideoDevice.h"
#include "support/app/AppHarness.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace leapmark {
namespace {

using testing::AppHarness;

TEST(RoadFromCapture, TheRecordedJumpHasTheSimulatorsOfficialDistance)
{
    AppHarness app{testing::HarnessCamera::Simulated, LiveJumpTiming{0.6, 10.0, 4.0}};
    // The live camera films the default course at the harness's 320x240.
    SimulationParameters scene;
    scene.size = {320, 240};
    const auto truth = computeGroundTruth(scene);
    ASSERT_TRUE(truth.ok()) << truth.error().text();
    const std::filesystem::path gridFile = app.scratchDir() / "grid.ipt";
    ASSERT_TRUE(writeSimulatedGridFile(gridFile, simulatedGrid(*truth)).ok());
    app.useVideoDir();
    app.settings().write(keys::grids, "1");
    app.settings().write(keys::grid1File, gridFile.string());
    app.settings().write(keys::WSTIMS, "1");
    app.settings().write(keys::captureTime, "3");
    app.start();
    app.config().hide();
    app.mainForm().showScreen();
    app.prompts().clear();

    // Capture: Start as the skier hits the ramp, Contact a moment after the skis touch the water.
    AppHarness::click(app.mainForm().cmdGoCapture);
    PreviewForm& capture = app.screens().previewForm();
    ASSERT_TRUE(AppHarness::waitFor([&] { return capture.CapturePRO1->frameNumber() >= 0; }));
    capture.txtSkierName->setText(QStringLiteral("Ann"));
    AppHarness::click(capture.cmdStartCapture);
    const std::int64_t landing = simulatedCameraOf(app.backEnd()->connectedDevice())->landingFrameNumber();
    ASSERT_TRUE(AppHarness::waitFor([&] { return capture.CapturePRO1->frameNumber() >= landing + 3; }));
    AppHarness::click(capture.cmdStartTimer);
    AppHarness::wait(300);
    AppHarness::click(capture.cmdEndCapture);

    // Frame selection opens on the hint; the operator steps back to the first frame on the water.
    frmSetStart& frames = app.screens().setStart();
    ASSERT_TRUE(frames.isVisible());
    VideoPlayer& player = *frames.MediaPlayer1;
    ASSERT_TRUE(AppHarness::waitFor([&] { return player.isOpen() && player.shownFrameIndex() >= 0; }));
    EXPECT_EQ(player.wantedFrameIndex(), app.session().capture.contact_hint_frame);
    const std::filesystem::path file = app.videoDir() / "Annjump1.avi";
    const auto video = testing::readCapturedVideo(file);
    ASSERT_TRUE(video);
    const auto found = std::find(video->stamps.begin(), video->stamps.end(), landing);
    ASSERT_NE(found, video->stamps.end());
    const std::int64_t landingIndex = found - video->stamps.begin();
    player.setPosition(static_cast<double>(landingIndex));
    ASSERT_TRUE(AppHarness::waitFor([&] { return player.shownFrameIndex() == landingIndex; }));
    app.prompts().answerMessages({MessageAnswer::Yes, MessageAnswer::Yes});
    AppHarness::click(frames.cmdMarkStart);
    ASSERT_TRUE(AppHarness::waitFor([&] { return !frames.isVisible(); }));

    // Measuring: the skier's name, the true landing clicked at 8x, Record Jump.
    Measure& measure = app.screens().measure();
    ASSERT_TRUE(AppHarness::waitFor([&] { return measure.isVisible(); }));
    QApplication::processEvents();
    ASSERT_EQ(measure.picture->pictureSizePixels(), QSize(320, 240));
    measure.Skier_name->lineEdit()->selectAll();
    QTest::keyClick(measure.Skier_name->lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(measure.Skier_name->lineEdit(), QStringLiteral("Ann"));
    const QPointF trueTwips(pixelsToTwips(truth->landingPixel.x), pixelsToTwips(truth->landingPixel.y));
    measure.picture->setZoom(8.0);
    measure.picture->centreOn(trueTwips);
    QTest::mouseClick(measure.picture->viewport(), Qt::LeftButton, Qt::NoModifier,
                      measure.picture->viewPixelNearest(trueTwips));
    app.prompts().clear();
    AppHarness::click(measure.Record);
    ASSERT_EQ(app.prompts().count(), 0u) << app.prompts().last().text();

    const MeasuredJumpFigures official = measuredJumpFigures(truth->distanceMetres, FeetPrecision::WholeFeet);
    EXPECT_EQ(measure.distance->text().toStdString(), official.metresText);
    EXPECT_EQ(measure.distance_ft->text().toStdString(), official.feetText);
    const std::string results = AppHarness::bytesOf(app.resultsPath());
    const std::string feet(trimBlanks(official.feetText));
    EXPECT_NE(results.find(" Ann  jump 1 - " + official.metresText + "  (IWSF) " + feet + "  (AWSA)"),
              std::string::npos)
        << results;
    EXPECT_EQ(AppHarness::bytesOf(app.exchangeDir() / "qxresult.dst"),
              "OK, " + official.exchangeMetresText + ", " + official.exchangeFeetText + ", 1\r\n");
}

} // namespace
} // namespace leapmark
