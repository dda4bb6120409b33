// The grid setup screen: marking the buoys, the lock, micro-adjust, the solve and its bookkeeping, the
// grid selector, leaving, and a whole calibration on a frame of the simulated camera.
#include "GridSetupStation.h"
#include "measure/ui/SimulatedLanding.h"

#include "common/Twips.h"
#include "grid/AccuracyCheck.h"
#include "grid/GridOperations.h"
#include "grid/JumpDistance.h"
#include "grid/ui/AccuracyPanel.h"
#include "grid/ui/Grid_Setup.h"
#include "measure/ui/Measure.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/picture/PictureSurface.h"
#include "shell/ui/picture/PictureZoomBar.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace leapmark {
namespace {

using testing::AppHarness;
using testing::GridSetupStation;
using ::testing::HasSubstr;

const QColor kWhite(255, 255, 255);
const QColor kMagenta(255, 0, 255);

void markFourBuoys(GridSetupStation& station)
{
    station.markBuoy(corner::upperLeft, {1500, 1500});
    station.markBuoy(corner::upperRight, {9000, 1500});
    station.markBuoy(corner::lowerLeft, {750, 6000});
    station.markBuoy(corner::lowerRight, {9750, 6000});
}

TEST(GridSetupMarking, AClickMovesTheSelectedBuoyAndWithTheLockAllFour)
{
    GridSetupStation station;
    Grid_Setup& setup = station.setup();
    const GridState& grid = station.app.session().grid;

    // No corner chosen: a click does nothing.
    station.clickPicture({3000, 3000});
    EXPECT_EQ(setup.upper_left_x->text(), QStringLiteral("auto"));
    EXPECT_TRUE(setup.picture->strokes().empty());

    // The lock is refused until all four buoys are marked.
    AppHarness::click(setup.chkboxGridLock);
    EXPECT_FALSE(setup.chkboxGridLock->isChecked());
    EXPECT_TRUE(setup.gridLockedLabel->isHidden());
    ASSERT_EQ(station.app.prompts().count(), 1u);
    EXPECT_EQ(station.app.prompts().last().message,
              (MessageRequest{"Cannot Lock Grid Until buoy positions have been entered for all four buoys",
                              "", MessageButtons::Ok, MessageIcon::None, DefaultButton::First}));

    markFourBuoys(station);
    EXPECT_EQ(station.screenBoxes(), " 1500  1500  9000  1500  750  6000  9750  6000 ");
    EXPECT_EQ(grid.buoy_screen_x[corner::upperRight], 9000.0);
    EXPECT_EQ(grid.ll_screen_y, 6000.0);
    // Each move paints the old marker over in the background colour and draws a white cross.
    const auto& strokes = setup.picture->strokes();
    ASSERT_GE(strokes.size(), 4u);
    EXPECT_EQ(strokes.back().colour, kWhite);
    EXPECT_EQ(strokes.back().from, QPointF(9750, 6000 - 90));
    EXPECT_EQ(strokes.back().to, QPointF(9750, 6000 + 90));
    EXPECT_TRUE(std::any_of(strokes.begin(), strokes.end(), [](const SurfaceStroke& s) {
        return s.shape == SurfaceStroke::Shape::Circle && s.colour == kMagenta && s.radiusTwips == 180.0;
    }));

    // Without the lock only the selected buoy moves.
    station.markBuoy(corner::upperLeft, {1530, 1485});
    EXPECT_EQ(station.screenBoxes(), " 1530  1485  9000  1500  750  6000  9750  6000 ");

    // With it, all four move by the offset from the selected buoy's old place.
    AppHarness::click(setup.chkboxGridLock);
    EXPECT_TRUE(setup.chkboxGridLock->isChecked());
    EXPECT_FALSE(setup.gridLockedLabel->isHidden());
    station.markBuoy(corner::upperLeft, {1500, 1500});
    EXPECT_EQ(station.screenBoxes(), " 1500  1500  8970  1515  720  6015  9720  6015 ");

    // An arrow with the lock shifts all four by a pixel, even with no buoy chosen.
    AppHarness::click(setup.AdjustRight);
    EXPECT_EQ(station.screenBoxes(), " 1515  1500  8985  1515  735  6015  9735  6015 ");
    // The arrow keys on the picture do the same.
    setup.picture->setFocus();
    QTest::keyClick(setup.picture, Qt::Key_Up);
    EXPECT_EQ(station.screenBoxes(), " 1515  1485  8985  1500  735  6000  9735  6000 ");

    // Unlocked, an arrow moves the chosen buoy alone.
    AppHarness::click(setup.chkboxGridLock);
    AppHarness::click(setup.lower_left_button);
    AppHarness::click(setup.AdjustDown);
    AppHarness::click(setup.AdjustLeft);
    EXPECT_EQ(station.screenBoxes(), " 1515  1485  8985  1500  720  6015  9735  6000 ");
    EXPECT_EQ(station.app.prompts().count(), 1u);
}

TEST(GridSetupMarking, ClicksAtEightTimesZoomLandBetweenPixels)
{
    GridSetupStation station;
    Grid_Setup& setup = station.setup();
    QImage frame(640, 480, QImage::Format_RGB888);
    frame.fill(Qt::darkBlue);
    setup.picture->setPicture(frame);
    setup.picture->setZoom(8.0);
    setup.picture->centreOn({3000, 3000});
    // View pixel centres lie a sixteenth of a pixel either side of the picture pixel's centre, then an eighth
    // apart.
    station.markBuoy(corner::upperLeft, {3000 + 15.0 * 5 / 16, 3000 - 15.0 * 7 / 16});
    EXPECT_NEAR(station.app.session().grid.ul_screen_x, 3000 + 15.0 * 5 / 16, 1e-9);
    EXPECT_NEAR(station.app.session().grid.ul_screen_y, 3000 - 15.0 * 7 / 16, 1e-9);
    EXPECT_EQ(setup.upper_left_x->text(), QStringLiteral(" 3004.6875"));
}

TEST(GridSetupMarking, CompleteRefusesPlaceholdersSolvesAndAnEditUndoesTheReadyState)
{
    GridSetupStation station;
    Grid_Setup& setup = station.setup();
    GridState& grid = station.app.session().grid;
    markFourBuoys(station);
    station.typeSurvey({{{60, 10}, {60, 50}, {30, 10}, {30, 50}}}, {0, 30});
    AppHarness::typeInto(setup.lr_survey_y, "input");
    (void)station.newResults();

    AppHarness::click(setup.Load);
    ASSERT_EQ(station.app.prompts().count(), 1u);
    EXPECT_EQ(station.app.prompts().last().message,
              (MessageRequest{"Warning - Not all parameters have been set up on grid", "Error Message",
                              MessageButtons::Ok, MessageIcon::Exclamation, DefaultButton::First}));
    EXPECT_FALSE(grid.grid1_loaded);
    EXPECT_TRUE(setup.accuracyPanel->btnAccuracyCheck->isHidden());
    std::string summary = station.newResults();
    EXPECT_THAT(summary, HasSubstr("New Set-up now in place"));
    EXPECT_THAT(summary, HasSubstr("Lower Right X,Y Survey: 60  input\r\n"));
    EXPECT_THAT(summary, HasSubstr("Upper Left X,Y Pixels:  1500   1500\r\n"));

    AppHarness::typeInto(setup.lr_survey_y, "50");
    AppHarness::typeInto(setup.ipt_file_description_2, "North camera");
    AppHarness::click(setup.Load);
    EXPECT_EQ(station.app.prompts().count(), 1u);
    EXPECT_TRUE(grid.grid1_loaded);
    EXPECT_TRUE(grid.grids_complete);
    EXPECT_EQ(grid.grid_descriptions[1], "North camera");
    EXPECT_EQ(grid.grid_records[1].extra, (GridExtras{10, 2, 5}));
    EXPECT_EQ(grid.grid_direction, -1.0);
    EXPECT_EQ(setup.gridStateIconName(), QStringLiteral("face02.ico"));
    EXPECT_FALSE(setup.accuracyPanel->btnAccuracyCheck->isHidden());
    EXPECT_FALSE(setup.accuracyPanel->fmAccuracyDisplay->isHidden());
    EXPECT_TRUE(setup.accuracyPanel->fmAccuracyConfig->isHidden()) << "Standard is selected";
    EXPECT_THAT(station.newResults(), HasSubstr("Grid Number:  1 \r\n"));
    // The pointer's readout tells where it is on the water once the grid is solved.
    QImage frame(720, 480, QImage::Format_RGB888);
    frame.fill(Qt::darkBlue);
    setup.picture->setPicture(frame);
    setup.picture->centreOn({9750, 6000});
    QTest::mouseMove(setup.picture->viewport(), setup.picture->viewPixelNearest({9750, 6000}));
    EXPECT_EQ(setup.zoomBar->readout->text(),
              QStringLiteral("x 9750.0  y 6000.0 twips   survey 60.00, 50.00 m"));
    // "Draw Buoys": a circle and a five-point plus at each buoy (the configured marker is not "cross").
    AppHarness::click(setup.show_alignment);
    ASSERT_EQ(setup.picture->strokes().size(), 4u * 6u);
    EXPECT_EQ(setup.picture->strokes()[0].shape, SurfaceStroke::Shape::Circle);
    EXPECT_EQ(setup.picture->strokes()[0].radiusTwips, 180.0);
    EXPECT_EQ(setup.picture->strokes()[0].from, QPointF(1500, 1500));
    // The solved grid carries the buoys onto their survey points.
    grid.screen_x = 9750;
    grid.screen_y = 6000;
    ASSERT_TRUE(screen_to_survey(grid).ok());
    EXPECT_NEAR(grid.survey_x, 60, 1e-9);
    EXPECT_NEAR(grid.survey_y, 50, 1e-9);

    // Any edit afterwards shows the grid as edited and lowers the set, so leaving asks.
    AppHarness::typeInto(setup.jump_x, "1");
    EXPECT_EQ(grid.ramp_x, 1.0);
    EXPECT_EQ(grid.grid_ramp_x, 1.0);
    EXPECT_EQ(setup.gridStateIconName(), QStringLiteral("msgbox03.ico"));
    EXPECT_TRUE(setup.accuracyPanel->btnAccuracyCheck->isHidden());
    EXPECT_TRUE(setup.accuracyPanel->fmAccuracyDisplay->isHidden());
    EXPECT_FALSE(grid.grids_complete);
    station.app.prompts().answerMessage(MessageAnswer::No);
    AppHarness::trigger(setup.gridExit);
    EXPECT_TRUE(setup.isVisible());
    EXPECT_EQ(station.app.prompts().last().text(),
              "Do you want to leave the grid setup with the grid setup not complete?");
}

TEST(GridSetupMarking, ASingularGridIsRefusedAndNotShownReady)
{
    GridSetupStation station;
    Grid_Setup& setup = station.setup();
    // Three buoys on one line.
    station.markBuoy(corner::upperLeft, {1500, 1500});
    station.markBuoy(corner::upperRight, {3000, 1500});
    station.markBuoy(corner::lowerLeft, {4500, 1500});
    station.markBuoy(corner::lowerRight, {9000, 6000});
    station.typeSurvey({{{60, 10}, {60, 50}, {30, 10}, {30, 50}}}, {0, 30});
    AppHarness::click(setup.Load);
    ASSERT_EQ(station.app.prompts().count(), 1u);
    EXPECT_EQ(station.app.prompts().last().text(), "No Unique Solution - Re-enter data");
    EXPECT_FALSE(station.app.session().grid.grid1_loaded);
    EXPECT_EQ(setup.gridStateIconName(), QStringLiteral("msgbox03.ico"));
    EXPECT_TRUE(setup.accuracyPanel->btnAccuracyCheck->isHidden());
    EXPECT_THAT(station.newResults(), HasSubstr("Pixels"));
}

TEST(GridSetupMarking, TheSelectorCyclesThroughTheGridsInUse)
{
    {
        GridSetupStation one(1);
        AppHarness::click(one.setup().grid_select);
        EXPECT_EQ(one.setup().grid_select->text(), QStringLiteral("Grid 1"));
        EXPECT_EQ(one.app.session().grid.current_grid, 1);
    }
    GridSetupStation three(3);
    Grid_Setup& setup = three.setup();
    GridState& grid = three.app.session().grid;
    markFourBuoys(three);
    three.typeSurvey({{{60, 10}, {60, 50}, {30, 10}, {30, 50}}}, {0, 30});
    AppHarness::click(setup.Load);
    ASSERT_TRUE(grid.grid1_loaded);
    EXPECT_FALSE(grid.grids_complete);

    AppHarness::click(setup.grid_select);
    EXPECT_EQ(setup.grid_select->text(), QStringLiteral("Grid 2"));
    EXPECT_EQ(grid.current_grid, 2);
    EXPECT_EQ(setup.upper_left_x->text(), QStringLiteral(" 0")) << "grid 2 has nothing yet";
    EXPECT_EQ(setup.gridStateIconName(), QStringLiteral("msgbox03.ico"));
    AppHarness::click(setup.grid_select);
    EXPECT_EQ(setup.grid_select->text(), QStringLiteral("Grid 3"));
    AppHarness::click(setup.grid_select);
    EXPECT_EQ(setup.grid_select->text(), QStringLiteral("Grid 1"));
    EXPECT_EQ(three.screenBoxes(), " 1500  1500  9000  1500  750  6000  9750  6000 ");
    EXPECT_EQ(setup.jump_y->text(), QStringLiteral(" 30"));
    EXPECT_EQ(grid.ramp_y, 30.0);
    EXPECT_EQ(setup.gridStateIconName(), QStringLiteral("face02.ico"));
    EXPECT_FALSE(setup.accuracyPanel->btnAccuracyCheck->isHidden());
}

TEST(GridSetupMarking, LeavingWithTheSetCompleteDrawsTheBuoysAndLabelsTheMeasurementScreen)
{
    GridSetupStation station;
    Grid_Setup& setup = station.setup();
    markFourBuoys(station);
    station.typeSurvey({{{60, 10}, {60, 50}, {30, 10}, {30, 50}}}, {0, 30});
    AppHarness::typeInto(setup.ipt_file_description_2, "North camera");
    AppHarness::click(setup.Load);
    AppHarness::trigger(setup.gridExit);
    EXPECT_FALSE(setup.isVisible());
    EXPECT_TRUE(station.app.mainForm().isVisible());
    EXPECT_EQ(station.app.prompts().count(), 0u);
    // Crosses of half-length 100 at the four buoys, then the two side lines.
    const auto& strokes = setup.picture->strokes();
    ASSERT_EQ(strokes.size(), 10u);
    EXPECT_EQ(strokes[0].from, QPointF(1400, 1500));
    EXPECT_EQ(strokes[0].to, QPointF(1600, 1500));
    EXPECT_EQ(strokes[8].from, QPointF(9750, 6000));
    EXPECT_EQ(strokes[8].to, QPointF(9000, 1500));
    const Measure& measure = station.app.screens().measure();
    // Upper left (30, 10) is 36.06 m from the ramp at (0, 30).
    EXPECT_EQ(measure.maxbuoym->text(), QStringLiteral(" 36.1 meters"));
    EXPECT_EQ(measure.maxbuoy->text(), QStringLiteral(" 118 feet"));
    EXPECT_EQ(measure.grid_description->text(), QStringLiteral("North camera"));
    EXPECT_FALSE(measure.grid_description->isHidden());
}

/** Marks the simulator's buoys on its frame at a zoom, solves, and measures the true landing. */
struct SimulatedCalibration
{
    double measuredMetres = 0.0;
    double trueMetres = 0.0;
    double onePixelMetres = 0.0;
};

SimulatedCalibration calibrateOnSimulatedFrame(double zoom)
{
    GridSetupStation station;
    auto landing = testing::simulateLanding({}, station.app.scratchDir() / "grid.ipt");
    EXPECT_TRUE(landing.ok());
    EXPECT_TRUE(landing->picture.save(
        QString::fromStdString((station.app.appDir() / "currentcapture.bmp").string()), "BMP"));
    // Arriving from frame selection brings the frame.
    Grid_Setup& setup = station.setup();
    setup.hide();
    station.app.session().navigation_origin = NavigationOrigin::SelectFrame;
    setup.showScreen();
    GridSetupStation::settle();
    EXPECT_EQ(setup.picture->pictureSizePixels(), QSize(1280, 720));
    EXPECT_EQ(station.app.session().navigation_origin, NavigationOrigin::None);

    const GroundTruth& truth = landing->truth;
    setup.picture->setZoom(zoom);
    for (int c = corner::upperRight; c <= corner::lowerLeft; ++c) {
        const PixelPoint pixel = truth.buoyPixels[static_cast<std::size_t>(c - 1)];
        const QPointF twips(pixelsToTwips(pixel.x), pixelsToTwips(pixel.y));
        setup.picture->centreOn(twips);
        station.markBuoy(c, twips);
    }
    CornerPoints survey;
    for (std::size_t i = 0; i < 4; ++i)
        survey[i] = {truth.parameters.buoys[i].xMetres, truth.parameters.buoys[i].yMetres};
    station.typeSurvey(survey, {truth.parameters.ramp.xMetres, truth.parameters.ramp.yMetres});
    AppHarness::click(setup.Load);
    EXPECT_EQ(station.app.prompts().count(), 0u);

    GridState& grid = station.app.session().grid;
    auto measured = landingDistance(
        grid.active_coef, {pixelsToTwips(truth.landingPixel.x), pixelsToTwips(truth.landingPixel.y)},
        {grid.ramp_x, grid.ramp_y}, RampAllowance::Normal);
    EXPECT_TRUE(measured.ok());
    auto lattice = measureAccuracy(grid, accuracyLattice(namedBuoyPositions(grid)), AccuracyDisplay::Detail);
    EXPECT_TRUE(lattice.ok());
    double worst = 0.0;
    for (const AccuracyPoint& point : *lattice)
        worst = std::max(worst, point.delta);
    return {measured->distanceMetres, truth.distanceMetres, worst};
}

TEST(GridSetupMarking, BuoysMarkedOnASimulatedFrameMeasureTheTrueLanding)
{
    const SimulatedCalibration whole = calibrateOnSimulatedFrame(1.0);
    EXPECT_GT(whole.onePixelMetres, 0.0);
    EXPECT_LE(std::abs(whole.measuredMetres - whole.trueMetres), whole.onePixelMetres);
    const SimulatedCalibration zoomed = calibrateOnSimulatedFrame(8.0);
    EXPECT_LE(std::abs(zoomed.measuredMetres - zoomed.trueMetres), zoomed.onePixelMetres / 4);
    std::printf("simulated calibration: 1:1 off by %.4f m, 8x off by %.4f m, one pixel %.4f m\n",
                whole.measuredMetres - whole.trueMetres, zoomed.measuredMetres - zoomed.trueMetres,
                whole.onePixelMetres);
}

} // namespace
} // namespace leapmark
