// The whole measuring road of a simulated jump: the camera's grid from the settings, its landing frame
// handed over by frame selection, a click on the true landing zoomed in to reach it between pixels,
// and "Record Jump".
#include "MeasureStation.h"
#include "SimulatedLanding.h"

#include "common/Twips.h"
#include "grid/JumpDistance.h"
#include "measure/JumpRecord.h"
#include "measure/MeasuredJump.h"
#include "measure/ui/Measure.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cmath>

namespace leapmark {
namespace {

using testing::AppHarness;

struct Tournament
{
    const char* type;   ///< the setting "tournamentType"
    double allowance;   ///< metres added to the distance from the ramp point
    FeetPrecision feet; ///< tenths while the tournament indicator shows
    BarefootTournament barefoot;
};

class RoadOfOneJump : public ::testing::TestWithParam<Tournament>
{};

TEST_P(RoadOfOneJump, TheRecordedDistanceIsTheSimulatorsTruth)
{
    const Tournament tournament = GetParam();
    testing::MeasureStation station;
    const std::filesystem::path gridFile = station.app.scratchDir() / "grid.ipt";
    // A landing whose official figures lie at least 10 mm from a rounding step in all three tournaments,
    // so that the sixteenth of a pixel a click can be out never decides them.
    SimulationParameters jump;
    jump.landing = {45.1, 0.7};
    auto landing = testing::simulateLanding(jump, gridFile);
    ASSERT_TRUE(landing.ok()) << landing.error().text();
    ASSERT_TRUE(landing->picture.save(QString::fromStdString(station.handOverPicture().string()), "BMP"));
    station.app.settings().write(keys::grid1File, gridFile.string());
    station.app.settings().write(keys::tournamentType, tournament.type);
    station.app.settings().write(keys::WSTIMS, "1");
    station.start();
    station.arriveFromFrameSelection();
    station.typeSkierName("Smith, John");
    Measure& measure = station.measure();
    ASSERT_EQ(measure.picture->pictureSizePixels(), QSize(1280, 720));

    // Zoomed in 8x on the landing, a click falls within a sixteenth of a pixel of it.
    const GroundTruth& truth = landing->truth;
    const QPointF trueTwips(pixelsToTwips(truth.landingPixel.x), pixelsToTwips(truth.landingPixel.y));
    measure.picture->setZoom(8.0);
    measure.picture->centreOn(trueTwips);
    station.clickPicture({trueTwips.x(), trueTwips.y()});
    const GridScreenValues& click = station.app.session().grid_screen;
    EXPECT_LE(std::abs(click.click_x - trueTwips.x()), 15.0 / 16.0 + 1e-9);
    EXPECT_LE(std::abs(click.click_y - trueTwips.y()), 15.0 / 16.0 + 1e-9);
    AppHarness::click(measure.Record);
    ASSERT_EQ(station.app.prompts().count(), 0u) << station.app.prompts().last().text();

    // The line is what the formats give for the clicked point...
    const GridState& grid = station.app.session().grid;
    auto measured =
        landingDistance(grid.active_coef, {click.click_x, click.click_y}, {grid.ramp_x, grid.ramp_y},
                        rampAllowanceFor(grid.barefoot, grid.sit_ski));
    ASSERT_TRUE(measured.ok());
    const MeasuredJumpFigures figures = measuredJumpFigures(measured->distanceMetres, tournament.feet);
    JumpRecordFields fields;
    fields.moment = station.app.clock().now();
    fields.skierName = "Smith, John";
    fields.jumpNumberText = "1";
    fields.metresText = figures.metresText;
    fields.feetText = figures.feetText;
    fields.barefoot = tournament.barefoot;
    fields.tail = ImpactState{measured->survey.x, measured->survey.y, click.click_x, click.click_y,
                              figures.raw_distance_text};
    EXPECT_EQ(station.newResults(), jumpRecord(fields));

    // ... and its official figures are those of the true distance.
    const double trueDistance = truth.distanceMetres - normalRampAllowanceMetres + tournament.allowance;
    const MeasuredJumpFigures official = measuredJumpFigures(trueDistance, tournament.feet);
    EXPECT_EQ(measure.distance->text().toStdString(), official.metresText);
    EXPECT_EQ(measure.distance_ft->text().toStdString(), official.feetText);
    EXPECT_EQ(AppHarness::bytesOf(station.app.exchangeDir() / "qxresult.dst"),
              "OK, " + official.exchangeMetresText + ", " + official.exchangeFeetText + ", 1\r\n");
    // A sixteenth of a pixel is a few millimetres out there.
    EXPECT_NEAR(measured->distanceMetres, trueDistance, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Tournaments, RoadOfOneJump,
    ::testing::Values(Tournament{"normal", 2.1, FeetPrecision::WholeFeet, BarefootTournament::No},
                      Tournament{"sitski", 1.9, FeetPrecision::Tenths, BarefootTournament::No},
                      Tournament{"barefoot", 0.0, FeetPrecision::Tenths, BarefootTournament::Yes}),
    [](const ::testing::TestParamInfo<Tournament>& info) { return std::string(info.param.type); });

} // namespace
} // namespace leapmark
