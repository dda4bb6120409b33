#include "grid/AccuracyCheck.h"

#include "common/RecordFile.h"
#include "grid/GridOperations.h"
#include "grid/SampleCourse.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

/** survey = screen / 64 in x and -screen / 64 in y from (100, 10): a pixel is 15/64 m, exactly. */
GridState exactGrid()
{
    GridState state;
    state.active_coef = {100, 1.0 / 64, 0, 0, 0, 10, 0, -1.0 / 64};
    state.ramp_x = 100;
    state.ramp_y = 10;
    state.barefoot = true;
    return state;
}

const BuoyPositions kSquare{{0, 0}, {6000, 0}, {0, 6000}, {6000, 6000}};

TEST(AccuracyCheck, TheLatticeDividesEdgesThenRowsInSix)
{
    const BuoyPositions buoys{{1200, 600}, {7200, 300}, {0, 4200}, {9000, 4800}};
    const AccuracyLattice lattice = accuracyLattice(buoys);
    EXPECT_EQ(lattice[0][0], buoys.upperLeft);
    EXPECT_EQ(lattice[0][6], buoys.upperRight);
    EXPECT_EQ(lattice[6][0], buoys.lowerLeft);
    EXPECT_EQ(lattice[6][6], buoys.lowerRight);
    EXPECT_EQ(lattice[3][0], (PlanePoint{600, 2400}));
    EXPECT_EQ(lattice[3][6], (PlanePoint{8100, 2550}));
    EXPECT_EQ(lattice[3][2], (PlanePoint{600 + 7500.0 * 2 / 6, 2400 + 150.0 * 2 / 6}));
}

TEST(AccuracyCheck, LevelsAndTextsFollowTheOnePixelChange)
{
    EXPECT_EQ(homologationLevel(0.1), "R");
    EXPECT_EQ(homologationLevel(0.10000001), "L");
    EXPECT_EQ(homologationLevel(0.15), "L");
    EXPECT_EQ(homologationLevel(0.2), "C");
    EXPECT_EQ(homologationLevel(0.2000001), "NH");
    EXPECT_EQ(accuracyLabelText(45.26, 0.234, AccuracyDisplay::Distance), " 45.3");
    EXPECT_EQ(accuracyLabelText(45.26, 0.234, AccuracyDisplay::Detail), " .23");
    EXPECT_EQ(accuracyLabelText(45.26, 0.005, AccuracyDisplay::Detail), " .01");
    EXPECT_EQ(accuracyLabelText(45.26, 0.234, AccuracyDisplay::HomologationLevel), "NH");
}

TEST(AccuracyCheck, EveryPointIsMeasuredInLabelOrderWithTheRegistersLeftAtTheLast)
{
    GridState state = exactGrid();
    auto points = measureAccuracy(state, accuracyLattice(kSquare), AccuracyDisplay::Detail);
    ASSERT_TRUE(points.ok());
    ASSERT_EQ(points->size(), 49u);
    for (std::size_t i = 0; i < points->size(); ++i)
        EXPECT_EQ((*points)[i].label(), static_cast<int>(i));

    // Label 9 is column 1, row 2: the point (1000, 2000), survey (115.625, -21.25) from the ramp (100, 10).
    const AccuracyPoint& p = (*points)[9];
    EXPECT_EQ(p.screen, (PlanePoint{1000, 2000}));
    EXPECT_DOUBLE_EQ(p.distance, std::hypot(15.625, 31.25));
    EXPECT_DOUBLE_EQ(p.rightStep, std::hypot(15.625 + 15.0 / 64, 31.25));
    EXPECT_DOUBLE_EQ(p.downStep, std::hypot(15.625, 31.25 + 15.0 / 64));
    EXPECT_DOUBLE_EQ(p.delta,
                     std::max(std::abs(p.rightStep - p.distance), std::abs(p.downStep - p.distance)));
    EXPECT_EQ(p.surveyBelow, (PlanePoint{115.625, 10 - 2015.0 / 64}));
    EXPECT_EQ(p.labelTopLeft(), (PlanePoint{1000, 2075}));
    EXPECT_EQ(p.text, " .21");

    EXPECT_EQ(state.screen_x, 6000);
    EXPECT_EQ(state.screen_y, 6015);
    EXPECT_EQ(state.jump_distance, (*points)[48].downStep);
}

TEST(AccuracyCheck, APointThatCannotBeMeasuredStopsTheCheckWithItsPosition)
{
    GridState state = exactGrid();
    // den = 1 + v / 6000 vanishes at v = -6000: the upper row of this lattice.
    state.active_coef[4] = 1.0 / 6000;
    const BuoyPositions buoys{{0, -6000}, {6000, -6000}, {0, 0}, {6000, 0}};
    auto points = measureAccuracy(state, accuracyLattice(buoys), AccuracyDisplay::HomologationLevel);
    ASSERT_FALSE(points.ok());
    EXPECT_THAT(points.error().text(), ::testing::HasSubstr("0, -6000 twips"));
}

TEST(AccuracyCheck, TheReportHasItsHeadTheCornerBlockAndOneLinePerPoint)
{
    GridState state = exactGrid();
    auto points = measureAccuracy(state, accuracyLattice(kSquare), AccuracyDisplay::HomologationLevel);
    ASSERT_TRUE(points.ok());
    AccuracyReportHead head;
    head.moment = {2026, 7, 4, 9, 5, 3};
    head.current_grid = 2;
    head.front_ratio = 70.9;
    head.back_ratio = 44.2;
    head.boxes = {"/grids/north.ipt",
                  "North tower",
                  " 0",
                  " 0",
                  " 0",
                  " 6000",
                  " 6000",
                  " 0",
                  " 6000",
                  " 6000",
                  " 100",
                  " 10",
                  " 100",
                  "-83.75",
                  " 193.75",
                  " 10",
                  " 193.75",
                  "-83.75",
                  " 100",
                  " 10"};
    const std::string report = accuracyReport(head, *points);
    const std::string expectedHead =
        crlfLines({"07-04-2026  09:05:03 Accuracy Check", "Grid Set-up for accuracy check",
                   "/grids/north.ipt", "North tower", "Grid Number:  2 ", " ", "Front Ratio:  70",
                   "Back Ratio:  44", "Upper Left X,Y Pixels:  0   0"});
    EXPECT_EQ(report.substr(0, expectedHead.size()), expectedHead);
    EXPECT_THAT(report,
                ::testing::HasSubstr("\r\nJump X,Y Survey:  100   10\r\n \r\nxpix:  0  ypix:  0  x:  100  "
                                     "y:  9.77  distance:  0  v inc:  .23  h inc:  .23  delta:  .23\r\n"));
    EXPECT_THAT(report,
                ::testing::EndsWith("xpix:  6000  ypix:  6000  x:  193.75  y: -83.98  distance:  132.58  "
                                    "v inc:  132.75  h inc:  132.75  delta:  .17\r\n"));
    EXPECT_EQ(accuracyReportFileName(head.moment), "acc0704.txt");
}

TEST(AccuracyCheck, StandardModeDrawsTheSevenRowsAndNumbersThem)
{
    const AccuracyLattice lattice = accuracyLattice(kSquare);
    const Drawing rows = latticeRowLines(lattice, Rgb{255, 255, 0});
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[1], lineCommand({0, 1000}, {6000, 1000}, Rgb{255, 255, 0}));
    EXPECT_EQ(lineLabelTopLeft(lattice, 1), (PlanePoint{6030, 910}));
}

} // namespace
} // namespace leapmark
