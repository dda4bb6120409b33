#include "measure/ImpactMark.h"

#include "grid/GridOperations.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

/** A grid where one twip is a centimetre on the water, both axes, ramp at the origin. */
GridState centimetreGrid(double grid_direction)
{
    GridState grid;
    grid.active_coef = {0.0, 0.01, 0.0, 0.0, 0.0, 0.0, 0.0, 0.01};
    grid.grid_direction = grid_direction;
    return grid;
}

TEST(ImpactMark, CrossPointsTowardsTheRampSide)
{
    GridState grid = centimetreGrid(-1.0);
    const ImpactMark leftToRight = drawImpactMark(grid, {3000, 2000}, 100, JumpDirection::LeftToRight);
    EXPECT_EQ(leftToRight.horizontal, (TwipsLine{{3000, 2000}, {2900, 2000}}));
    EXPECT_EQ(leftToRight.vertical, (TwipsLine{{3000, 1900}, {3000, 2100}}));

    const ImpactMark rightToLeft = drawImpactMark(grid, {3000, 2000}, 60, JumpDirection::RightToLeft);
    EXPECT_EQ(rightToLeft.horizontal, (TwipsLine{{3000, 2000}, {3060, 2000}}));
    EXPECT_EQ(rightToLeft.vertical, (TwipsLine{{3000, 1940}, {3000, 2060}}));
}

TEST(ImpactMark, SplashLiesTheAllowanceBackAlongSurveyX)
{
    // Jumps left to right on a grid whose x grows to the right: grid_direction -1, splash 2.1 m further on
    // (x -= 2.1 x -1), as the allowance is added beyond the landing.
    GridState grid = centimetreGrid(-1.0);
    ImpactMark mark = drawImpactMark(grid, {3000, 2000}, 100, JumpDirection::LeftToRight);
    ASSERT_TRUE(mark.splash.has_value());
    EXPECT_NEAR(mark.splashPoint.x, 3210.0, 1e-9);
    EXPECT_NEAR(mark.splashPoint.y, 2000.0, 1e-9);
    EXPECT_EQ(mark.splash->from, mark.splashPoint);
    EXPECT_EQ(mark.splash->to, (PlanePoint{mark.splashPoint.x, mark.splashPoint.y - 1000}));
    // The registers hold the splash point afterwards.
    EXPECT_NEAR(grid.survey_x, 32.1, 1e-12);
    EXPECT_NEAR(grid.screen_x, 3210.0, 1e-9);

    // Right to left with grid_direction -1: 2.1 m towards smaller survey x.
    mark = drawImpactMark(grid, {3000, 2000}, 100, JumpDirection::RightToLeft);
    EXPECT_NEAR(mark.splashPoint.x, 2790.0, 1e-9);

    grid.sit_ski = true;
    mark = drawImpactMark(grid, {3000, 2000}, 100, JumpDirection::RightToLeft);
    EXPECT_NEAR(mark.splashPoint.x, 2810.0, 1e-9);

    grid.sit_ski = false;
    grid.barefoot = true;
    mark = drawImpactMark(grid, {3000, 2000}, 100, JumpDirection::RightToLeft);
    EXPECT_NEAR(mark.splashPoint.x, 3000.0, 1e-9);
    EXPECT_NEAR(mark.splashPoint.y, 2000.0, 1e-9);
}

TEST(ImpactMark, AFailingTransformDrawsTheCrossWithoutSplash)
{
    GridState grid;
    grid.active_coef = {0.0, 1.0, 0.0, -0.001, 0.0, 0.0, 0.0, 1.0};
    const ImpactMark mark = drawImpactMark(grid, {1000, 50}, 100, JumpDirection::LeftToRight);
    EXPECT_FALSE(mark.splash.has_value());
    EXPECT_EQ(mark.splashPoint, (PlanePoint{1000, 50}));
    EXPECT_EQ(mark.horizontal.to, (PlanePoint{900, 50}));
}

TEST(ImpactMark, FourPressesOnAnArrowMoveFourPixelsFromTheFirstClick)
{
    GridState grid = centimetreGrid(-1.0);
    PlanePoint click{3000, 2000};
    ImpactMark mark = drawImpactMark(grid, click, 100, JumpDirection::LeftToRight);
    for (int press = 0; press < 4; ++press) {
        click = microAdjusted(click, mark.impact, MicroAdjust::Right);
        mark = drawImpactMark(grid, click, 100, JumpDirection::LeftToRight);
    }
    EXPECT_EQ(mark.impact, (PlanePoint{3060, 2000}));

    EXPECT_EQ(microAdjusted(click, mark.impact, MicroAdjust::Up), (PlanePoint{3060, 1985}));
    EXPECT_EQ(microAdjusted(click, mark.impact, MicroAdjust::Down), (PlanePoint{3060, 2015}));
    EXPECT_EQ(microAdjusted(click, mark.impact, MicroAdjust::Left), (PlanePoint{3045, 2000}));
}

TEST(ImpactMark, LiveReadoutUnderThePointer)
{
    GridState grid = centimetreGrid(-1.0);
    grid.survey_x = 5.0;
    grid.survey_y = 6.0;
    const LiveReadout readout = liveReadout(grid, {4304.9, -1234.0});
    EXPECT_EQ(readout.xtwips, " 4304");
    EXPECT_EQ(readout.ytwips, "-1234");
    EXPECT_EQ(readout.xposition, " 43.05");
    EXPECT_EQ(readout.yposition, "-12.34");
    EXPECT_EQ(readout.VerifyDistance, " 46.9m  154ft");
    // The pointer lands in the screen registers; the survey registers keep the last mark.
    EXPECT_DOUBLE_EQ(grid.screen_x, 4304.9);
    EXPECT_DOUBLE_EQ(grid.survey_x, 5.0);
    EXPECT_DOUBLE_EQ(grid.survey_y, 6.0);

    // 43.049 m from the ramp, plus 2.1 m: 45.149 m reads 45.1 m and floor(148.09 + 0.5) = 148 ft.
    EXPECT_EQ(liveReadout(grid, {4304.9, 0}).VerifyDistance, " 45.1m  148ft");
    grid.barefoot = true;
    EXPECT_EQ(liveReadout(grid, {4304.9, 0}).VerifyDistance, " 43m  141ft");
}

} // namespace
} // namespace leapmark
