#include "MeasureStation.h"
#include "support/GoldenFile.h"

#include "app/Screens.h"
#include "grid/GridFile.h"
#include "grid/ui/Grid_Setup.h"
#include "measure/ui/Measure.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;
using ::testing::HasSubstr;

class MeasureScreen : public ::testing::Test
{
protected:
    void arrive()
    {
        station.start();
        station.arriveFromFrameSelection();
        station.app.prompts().clear();
    }
    Measure& measure() { return station.measure(); }
    /**
     * Two grids in use; the second is a camera on the same centimetre scale whose buoys lie further
     * along the course by the shift (a twip is a centimetre), with its own ramp point.
     */
    void useSecondCamera(double shiftTwips, PlanePoint ramp)
    {
        const double u = shiftTwips;
        const double x = shiftTwips / 100;
        const std::filesystem::path second = station.app.scratchDir() / "second.ipt";
        ASSERT_TRUE(
            writeGridFile(
                second,
                {"Second camera",
                 makeGridRecord({{{6000 + u, 1000}, {6000 + u, 5000}, {3000 + u, 1000}, {3000 + u, 5000}}},
                                {{{60 + x, 10}, {60 + x, 50}, {30 + x, 10}, {30 + x, 50}}},
                                {0, 0.01, 0, 0, 0, 0, 0, 0.01}, ramp, {10, 2, 5})})
                .ok());
        station.app.settings().write(keys::grids, "2");
        station.app.settings().write(keys::grid2File, second.string());
    }
    SurfaceLineItem line(Measure::ImpactLine which)
    {
        return measure().picture->lineItem(measure().impactLineItem(which));
    }

    testing::MeasureStation station;
};

TEST_F(MeasureScreen, ArrivalShowsTheHandOverPictureWithTheOverlay)
{
    arrive();
    EXPECT_TRUE(measure().isVisible());
    EXPECT_EQ(measure().picture->pictureSizePixels(), QSize(720, 480));
    // 720 pixels: HIMETRIC 19050, x 15 / 26.5.
    EXPECT_EQ(station.app.session().grid_screen.picture_width, "10783.0188679245");
    EXPECT_TRUE(measure().Set_grid->isHidden());
    // Circles with their five points at four buoys, then the two side lines.
    EXPECT_EQ(measure().picture->strokes().size(), 4u * 6u + 2u);
    // Far buoys: upper left (30, 10) is 36.06 m from the ramp (0, 30), upper right (60, 10) 63.25 m.
    EXPECT_EQ(measure().maxbuoy->text(), QStringLiteral(" 118 feet"));
    EXPECT_EQ(measure().maxbuoym->text(), QStringLiteral(" 36.1 meters"));
    EXPECT_EQ(measure().minbuoy->text(), QStringLiteral(" 207 feet"));
    EXPECT_EQ(measure().minbuoym->text(), QStringLiteral(" 63.2 meters"));
    EXPECT_EQ(measure().picture->labelPosition(measure().maxbuoy), QPointF(2900, 600));
    EXPECT_EQ(measure().grid_description->text(), QStringLiteral("Centimetre grid"));
    EXPECT_FALSE(measure().grid_description->isHidden());
    EXPECT_EQ(station.app.prompts().count(), 0u);
}

TEST_F(MeasureScreen, AMissingHandOverPictureIsReportedAndTheScreenHasNone)
{
    std::filesystem::remove(station.handOverPicture());
    station.start();
    station.arriveFromFrameSelection();
    EXPECT_TRUE(measure().isVisible());
    EXPECT_FALSE(measure().picture->hasPicture());
    ASSERT_EQ(station.app.prompts().count(), 1u);
    EXPECT_THAT(station.app.prompts().last().text(), HasSubstr(station.handOverPicture().string()));
    EXPECT_EQ(station.app.prompts().last().message.icon, MessageIcon::Exclamation);
    // The overlay is there to mark on all the same.
    EXPECT_FALSE(measure().picture->strokes().empty());
}

TEST_F(MeasureScreen, MarkingDrawsTheCrossAndTheSplashIndicator)
{
    arrive();
    station.clickPicture({4350, 3000});
    EXPECT_EQ(station.app.session().grid_screen.click_x, 4350.0);
    EXPECT_FALSE(measure().AdjustUp->isHidden());
    EXPECT_FALSE(measure().AdjustmentLabel->isHidden());
    const SurfaceLineItem horizontal = line(Measure::ImpactLine::Horizontal);
    EXPECT_TRUE(horizontal.visible);
    EXPECT_EQ(horizontal.fromTwips, QPointF(4350, 3000));
    EXPECT_EQ(horizontal.toTwips, QPointF(4250, 3000));
    EXPECT_EQ(horizontal.colour, QColor(Qt::white));
    EXPECT_EQ(line(Measure::ImpactLine::Vertical).toTwips, QPointF(4350, 3100));
    // 2.1 m further out along survey x (the grid runs -1).
    const SurfaceLineItem splash = line(Measure::ImpactLine::Splash);
    EXPECT_NEAR(splash.fromTwips.x(), 4560, 1e-6);
    EXPECT_NEAR(splash.toTwips.y(), 2000, 1e-6);

    measure().CrossSize->setValue(60);
    AppHarness::click(measure().AdjustRight);
    EXPECT_EQ(line(Measure::ImpactLine::Horizontal).toTwips, QPointF(4305, 3000));
}

TEST_F(MeasureScreen, FourPressesOnAnArrowMoveTheMarkSixtyTwips)
{
    arrive();
    station.clickPicture({4350, 3000});
    for (int press = 0; press < 4; ++press)
        AppHarness::click(measure().AdjustRight);
    EXPECT_EQ(measure().drawnImpact(), (PlanePoint{4410, 3000}));
    AppHarness::click(measure().AdjustUp);
    AppHarness::click(measure().AdjustLeft);
    AppHarness::click(measure().AdjustDown);
    AppHarness::click(measure().AdjustDown);
    EXPECT_EQ(measure().drawnImpact(), (PlanePoint{4395, 3015}));
}

TEST_F(MeasureScreen, ThePictureAndTheBarStayPutWhateverTheBarShows)
{
    arrive();
    QApplication::processEvents();
    auto placeOf = [this](QWidget* control) { return control->mapTo(&measure(), QPoint(0, 0)); };
    const QPoint picture = placeOf(measure().picture->viewport());
    const QPoint verify = placeOf(measure().verify);
    const QPoint record = placeOf(measure().Record);
    auto expectInPlace = [&](const char* after) {
        QApplication::processEvents();
        EXPECT_EQ(placeOf(measure().picture->viewport()), picture) << after;
        EXPECT_EQ(placeOf(measure().verify), verify) << after;
        EXPECT_EQ(placeOf(measure().Record), record) << after;
    };
    AppHarness::click(measure().verify);
    ASSERT_EQ(measure().verify->text(), QStringLiteral("Verify off"));
    expectInPlace("Verify on: the readouts show");
    AppHarness::click(measure().verify);
    expectInPlace("Verify off again");
    measure().Comment->show();
    expectInPlace("the Comment box shown");
    measure().Comment->hide();
    expectInPlace("the Comment box hidden");
    measure().showTournamentIndicator("Barefoot Jump");
    expectInPlace("the tournament indicator shown");
    measure().hideTournamentIndicator();
    expectInPlace("the tournament indicator hidden");
}

TEST_F(MeasureScreen, TheArrowKeysOnThePictureNudgeTheMarkAsTheMicroAdjustArrowsDo)
{
    arrive();
    measure().picture->setFocus();
    QTest::keyClick(measure().picture, Qt::Key_Right);
    EXPECT_FALSE(line(Measure::ImpactLine::Horizontal).visible)
        << "nothing to nudge before the landing is clicked";

    station.clickPicture({4350, 3000});
    measure().picture->setFocus();
    for (int press = 0; press < 4; ++press)
        QTest::keyClick(measure().picture, Qt::Key_Right);
    EXPECT_EQ(measure().drawnImpact(), (PlanePoint{4410, 3000}));
    QTest::keyClick(measure().picture, Qt::Key_Up);
    QTest::keyClick(measure().picture, Qt::Key_Left);
    QTest::keyClick(measure().picture, Qt::Key_Down, Qt::KeypadModifier);
    QTest::keyClick(measure().picture, Qt::Key_Down);
    EXPECT_EQ(measure().drawnImpact(), (PlanePoint{4395, 3015}));
    EXPECT_EQ(station.app.session().grid_screen.click_x, 4395.0);
}

TEST_F(MeasureScreen, ClearTwiceAdvancesTheJumpNumberAndRemovesThePicture)
{
    arrive();
    measure().Jump_no->setText(QStringLiteral("1"));
    testing::writeBytes(station.app.exchangeDir() / "snapshot.bmp", "BM");
    station.clickPicture({4350, 3000});
    AppHarness::click(measure().Fall);
    AppHarness::click(measure().Unfreeze);
    EXPECT_EQ(measure().Jump_no->text(), QStringLiteral(" 2"));
    AppHarness::click(measure().Unfreeze);
    EXPECT_EQ(measure().Jump_no->text(), QStringLiteral(" 3"));

    EXPECT_TRUE(measure().optJumpOK->isChecked());
    EXPECT_EQ(measure().Comment->text(), QString());
    EXPECT_EQ(measure().distance->text(), QStringLiteral("m"));
    EXPECT_FALSE(measure().picture->hasPicture());
    EXPECT_TRUE(measure().AdjustUp->isHidden());
    EXPECT_FALSE(std::filesystem::exists(station.app.exchangeDir() / "snapshot.bmp"));
    // The overlay is drawn again; the mark stays where it was.
    EXPECT_FALSE(measure().picture->strokes().empty());
    EXPECT_TRUE(line(Measure::ImpactLine::Vertical).visible);
}

TEST_F(MeasureScreen, TheGridButtonCyclesThroughTwoGrids)
{
    useSecondCamera(1000, {0, 30});
    arrive();
    EXPECT_FALSE(measure().Set_grid->isHidden());
    AppHarness::click(measure().Set_grid);
    EXPECT_EQ(measure().Set_grid->text(), QStringLiteral("&Grid 2"));
    EXPECT_EQ(station.app.session().grid.current_grid, 2);
    EXPECT_EQ(measure().grid_description->text(), QStringLiteral("Second camera"));
    EXPECT_EQ(station.app.session().grid.ul_screen_x, 4000.0);
    AppHarness::click(measure().Set_grid);
    EXPECT_EQ(measure().Set_grid->text(), QStringLiteral("&Grid 1"));
    EXPECT_EQ(measure().grid_description->text(), QStringLiteral("Centimetre grid"));
}

TEST_F(MeasureScreen, LineControlOffLeavesOutTheSideLinesButKeepsTheLabels)
{
    station.app.settings().write(keys::boxlineoff, "True");
    station.app.settings().write(keys::buoymarker, "cross");
    arrive();
    EXPECT_EQ(measure().picture->strokes().size(), 8u);
    EXPECT_EQ(measure().maxbuoy->text(), QStringLiteral(" 118 feet"));
}

TEST_F(MeasureScreen, AClusterFollowsItsHandle)
{
    arrive();
    station.clickPicture({4350, 3000});
    QLabel* handle = measure().AdjustmentLabel;
    const QPoint arrowBefore = measure().AdjustUp->pos();
    const QPoint handleBefore = handle->pos();
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(45, 25), handle->mapToGlobal(QPointF(45, 25)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, QPoint(45, 25));
    EXPECT_EQ(handle->pos(), handleBefore + QPoint(40, 20));
    EXPECT_EQ(measure().AdjustUp->pos(), arrowBefore + QPoint(40, 20));
    // The press on the handle is not a landing.
    EXPECT_EQ(station.app.session().grid_screen.click_x, 4350.0);
}

TEST_F(MeasureScreen, ExitAsksBeforeLeavingAFramePictureAndClears)
{
    station.app.settings().write(keys::PictureSave, "Ask");
    arrive();
    measure().Jump_no->setText(QStringLiteral("1"));
    station.app.prompts().answerMessage(MessageAnswer::No);
    AppHarness::trigger(measure().Exit);
    EXPECT_EQ(station.app.prompts().last().text(), "Do you want to save this picture?");
    EXPECT_FALSE(measure().isVisible());
    EXPECT_TRUE(station.app.mainForm().isVisible());
    EXPECT_EQ(station.app.session().navigation_origin, NavigationOrigin::None);
    EXPECT_EQ(measure().Jump_no->text(), QStringLiteral(" 2"));
    EXPECT_TRUE(measure().grid_description->isHidden());
    EXPECT_EQ(measure().maxbuoy->text(), QString());
    EXPECT_FALSE(std::filesystem::exists(station.picturesDir() / "20715530.bmp"));
}

TEST_F(MeasureScreen, TheGridButtonNamesTheGridThatMeasuresOnEveryArrival)
{
    // A second camera whose ramp lies 10 m further: the same landing is 46.7 m there, 45.6 m on grid 1.
    useSecondCamera(0, {0, 40});
    arrive();
    AppHarness::click(measure().Set_grid);
    ASSERT_EQ(measure().Set_grid->text(), QStringLiteral("&Grid 2"));

    // Through the grid setup and back: its exit makes grid 1 the grid in use.
    AppHarness::trigger(measure().Exit);
    AppHarness::click(station.app.mainForm().cmdSetup);
    AppHarness::trigger(station.app.screens().gridSetup().gridExit);
    station.arriveFromFrameSelection();
    EXPECT_EQ(measure().Set_grid->text(), QStringLiteral("&Grid 1"));
    EXPECT_EQ(measure().grid_description->text(), QStringLiteral("Centimetre grid"));
    station.clickPicture({4350, 3000});
    AppHarness::click(measure().Record);
    EXPECT_EQ(measure().distance->text(), QStringLiteral(" 45.6m"));

    AppHarness::click(measure().Set_grid);
    EXPECT_EQ(measure().Set_grid->text(), QStringLiteral("&Grid 2"));
    EXPECT_EQ(measure().grid_description->text(), QStringLiteral("Second camera"));
    station.clickPicture({4350, 3000});
    AppHarness::click(measure().Record);
    EXPECT_EQ(measure().distance->text(), QStringLiteral(" 46.7m"));
}

TEST_F(MeasureScreen, ArrowsMoveAcrossTheResultOptionsWithoutChoosing)
{
    arrive();
    measure().optJumpOK->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(measure().focusWidget(), Qt::Key_Right);
    EXPECT_EQ(measure().focusWidget(), measure().O_reride);
    EXPECT_TRUE(measure().optJumpOK->isChecked());
    EXPECT_EQ(station.newResults(), "");
    QTest::keyClick(measure().focusWidget(), Qt::Key_Left);
    EXPECT_EQ(measure().focusWidget(), measure().Fall);

    // Enter chooses, as a click does.
    QTest::keyClick(measure().focusWidget(), Qt::Key_Right);
    QTest::keyClick(measure().focusWidget(), Qt::Key_Return);
    EXPECT_THAT(station.newResults(), HasSubstr("Optional Reride on previous jump"));
}

} // namespace
} // namespace leapmark
