#include "MeasureStation.h"
#include "support/GoldenFile.h"

#include "grid/ui/Grid_Setup.h"
#include "measure/ui/LogView.h"
#include "measure/ui/Measure.h"
#include "measure/ui/PictureLogView.h"
#include "measure/ui/Results.h"
#include "review/ui/frmSetStart.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;
using ::testing::HasSubstr;

std::vector<std::string> listed(const QListWidget* list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list->count(); ++i)
        lines.push_back(list->item(i)->text().toStdString());
    return lines;
}

void clickLine(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

class LogViewers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        station.start();
        picture = (station.app.videoDir() / "20715530.bmp").string();
        testing::MeasureStation::writePicture(picture, 200, 100, Qt::yellow);
        const std::string log = AppHarness::bytesOf(station.app.sessionLogPath());
        testing::writeBytes(
            station.app.sessionLogPath(),
            log +
                "12-07-202615:50:00Skier: AnnJump: 2Contact Frame:  90File: /v/Annjump2.avi\r\n"
                "12-07-202615:50:30Skier: BoJump: 1Contact Frame:  91File: /v/Bojump1.AVI\r\n"
                "12-07-202615:51:00Skier: AnnJump:  1Distance:  45.6mFile: " +
                picture +
                "\r\n"
                "12-07-202615:51:30Skier: AnnJump:  1Distance:  45.6mFile: /p/x.jpg\r\n"
                "no label here avi\r\n");
    }

    testing::MeasureStation station;
    std::string picture;
};

TEST_F(LogViewers, TheSessionLogViewerListsVideosOnlyAndOpensOneForReview)
{
    AppHarness::trigger(station.app.mainForm().mnuViewLog);
    testing::MeasureStation::settle();
    LogView& viewer = station.app.screens().logView();
    EXPECT_EQ(viewer.txtLogFile->text(), QString::fromStdString(station.app.sessionLogPath().string()));
    EXPECT_THAT(
        listed(viewer.lstLog),
        ::testing::ElementsAre("12-07-202615:50:00Skier: AnnJump: 2Contact Frame:  90File: /v/Annjump2.avi",
                               "no label here avi"));

    clickLine(viewer.lstLog, 1);
    EXPECT_EQ(viewer.txtFileToView->text(), QString());
    AppHarness::click(viewer.cmdView);
    EXPECT_TRUE(viewer.isVisible());

    clickLine(viewer.lstLog, 0);
    EXPECT_EQ(viewer.txtFileToView->text(), QStringLiteral("/v/Annjump2.avi"));
    AppHarness::click(viewer.cmdView);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_FALSE(station.app.mainForm().isVisible());
    EXPECT_TRUE(station.app.screens().setStart().isVisible());
    EXPECT_EQ(station.app.session().navigation_origin, NavigationOrigin::View);
    EXPECT_EQ(station.app.session().measure.view_file_path, "/v/Annjump2.avi");
}

TEST_F(LogViewers, AnotherLogIsChosenInTheDialog)
{
    const std::filesystem::path other = station.app.videoDir() / "JumpMeasurementLog120626.txt";
    testing::writeBytes(other, "12-06-202610:00:00Skier: CyJump: 3Contact Frame:  5File: /v/Cyjump3.avi\r\n");
    AppHarness::trigger(station.app.mainForm().mnuViewLog);
    testing::MeasureStation::settle();
    LogView& viewer = station.app.screens().logView();
    station.app.prompts().answerOpenFile(other.string());
    AppHarness::click(viewer.cmdSelectLogFile);
    const FileDialogRequest& dialog = station.app.prompts().last().fileDialog;
    EXPECT_EQ(dialog.filter, "*.txt|JumpMeasurementLog*.txt");
    EXPECT_EQ(dialog.startFolder, station.app.session().config.video_dir);
    EXPECT_EQ(viewer.lstLog->count(), 1);
    EXPECT_EQ(viewer.txtLogFile->text(), QString::fromStdString(other.string()));
    AppHarness::click(viewer.cmdDismiss);
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(LogViewers, ThePictureLogPutsAPictureBackOnTheMeasuringScreen)
{
    station.arriveFromFrameSelection();
    AppHarness::trigger(station.measure().mnuViewLog);
    testing::MeasureStation::settle();
    PictureLogView& viewer = station.app.screens().pictureLogView();
    EXPECT_EQ(viewer.parentWidget(), &station.measure());
    ASSERT_EQ(viewer.lstPicLog->count(), 1);
    EXPECT_THAT(viewer.lstPicLog->item(0)->text().toStdString(), ::testing::EndsWith("20715530.bmp"));

    // A double click: the first press selects, the second opens.
    clickLine(viewer.lstPicLog, 0);
    QTest::mousePress(viewer.lstPicLog->viewport(), Qt::LeftButton, Qt::NoModifier,
                      viewer.lstPicLog->visualItemRect(viewer.lstPicLog->item(0)).center());
    QTest::mouseDClick(viewer.lstPicLog->viewport(), Qt::LeftButton, Qt::NoModifier,
                       viewer.lstPicLog->visualItemRect(viewer.lstPicLog->item(0)).center());
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(station.measure().picture->pictureSizePixels(), QSize(200, 100));
    EXPECT_EQ(station.measure().gif_file_name->text(), QString::fromStdString(picture));
    EXPECT_EQ(station.app.session().navigation_origin, NavigationOrigin::PictureLog);
    EXPECT_FALSE(station.app.session().measure.picture_frozen);
}

TEST_F(LogViewers, ThePictureLogOfTheMainScreenLeadsOnAsViewAlreadyRecordedJumpPicsDoes)
{
    AppHarness::trigger(station.app.mainForm().mnuPictureLog);
    testing::MeasureStation::settle();
    PictureLogView& viewer = station.app.screens().pictureLogView();
    clickLine(viewer.lstPicLog, 0);
    station.app.session().grid.grids_complete = false;
    AppHarness::click(viewer.cmdViewPicLog);
    EXPECT_THAT(station.app.prompts().last().text(),
                HasSubstr("All grids specified must be set up correctly"));
    EXPECT_FALSE(station.measure().isVisible());
    EXPECT_TRUE(station.app.screens().gridSetup().isVisible());
    EXPECT_FALSE(station.app.mainForm().isVisible());

    station.app.screens().gridSetup().hide();
    station.app.mainForm().showScreen();
    station.app.session().grid.grids_complete = true;
    AppHarness::trigger(station.app.mainForm().mnuPictureLog);
    testing::MeasureStation::settle();
    clickLine(viewer.lstPicLog, 0);
    AppHarness::click(viewer.cmdViewPicLog);
    EXPECT_TRUE(station.measure().isVisible());
    EXPECT_FALSE(station.app.mainForm().isVisible()) << "one full screen at a time";
    EXPECT_EQ(station.measure().picture->pictureSizePixels(), QSize(200, 100));
}

TEST_F(LogViewers, AnUnreadablePictureIsReportedAndTheViewerStays)
{
    station.arriveFromFrameSelection();
    AppHarness::trigger(station.measure().mnuViewLog);
    testing::MeasureStation::settle();
    PictureLogView& viewer = station.app.screens().pictureLogView();
    testing::writeBytes(picture, "not a bitmap");
    station.app.prompts().clear();
    clickLine(viewer.lstPicLog, 0);
    AppHarness::click(viewer.cmdViewPicLog);
    ASSERT_EQ(station.app.prompts().count(), 1u);
    EXPECT_THAT(station.app.prompts().last().text(), HasSubstr(picture));
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(station.measure().picture->pictureSizePixels(), QSize(720, 480));

    // An empty file box loads nothing and goes back to the measuring screen.
    viewer.txtPictureToView->clear();
    AppHarness::click(viewer.cmdViewPicLog);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(station.measure().picture->pictureSizePixels(), QSize(720, 480));
}

TEST_F(LogViewers, TheResultsWindowShowsTheResultsFile)
{
    station.arriveFromFrameSelection();
    AppHarness::trigger(station.measure().mnuResults);
    Results& results = station.app.screens().results();
    EXPECT_TRUE(results.isVisible());
    EXPECT_EQ(results.windowTitle(), QString::fromStdString(station.app.session().config.results_path));
    EXPECT_THAT(results.output_box->toPlainText().toStdString(), HasSubstr("New Configuration: 12-07-2026"));
    AppHarness::trigger(results.Exit_results);
    EXPECT_FALSE(results.isVisible());
    EXPECT_EQ(results.output_box->toPlainText(), QString());

    std::filesystem::remove(station.app.resultsPath());
    AppHarness::trigger(station.measure().mnuResults);
    EXPECT_FALSE(results.isVisible());
    EXPECT_THAT(station.app.prompts().last().text(), HasSubstr(station.app.resultsPath().string()));
}

} // namespace
} // namespace leapmark
