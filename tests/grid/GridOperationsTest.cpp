#include "grid/GridOperations.h"

#include "grid/SampleCourse.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::Course;
using testing::sampleCourse;
using testing::sampleShoreCamera;

/** Puts a course's buoys, as the shore camera shows them, into the working set as the setup screen would. */
void markCourse(GridState& state, const Course& course)
{
    const auto camera = sampleShoreCamera(course);
    for (int i = 1; i <= 4; ++i) {
        const PlanePoint buoy = course.buoys[static_cast<std::size_t>(i - 1)];
        const PlanePoint seen = camera.clickedTwipsOf(buoy);
        state.buoy_screen_x[static_cast<std::size_t>(i)] = seen.x;
        state.buoy_screen_y[static_cast<std::size_t>(i)] = seen.y;
        state.buoy_survey_x[static_cast<std::size_t>(i)] = buoy.x;
        state.buoy_survey_y[static_cast<std::size_t>(i)] = buoy.y;
    }
    state.grid_ramp_x = state.ramp_x = course.ramp.x;
    state.grid_ramp_y = state.ramp_y = course.ramp.y;
}

/** A grid whose transform is exact in binary: survey = screen / 64 in x, -screen / 64 in y, plus (100, 10).
 */
GridState exactGrid()
{
    GridState state;
    state.active_coef = {100, 1.0 / 64, 0, 0, 0, 10, 0, -1.0 / 64};
    state.ramp_x = 100;
    state.ramp_y = 10;
    return state;
}

TEST(SolveGrid, SolvesTheWorkingBuoysIntoTheActiveCoefficients)
{
    GridState state;
    const Course course = sampleCourse();
    markCourse(state, course);
    ASSERT_TRUE(solve_grid(state).ok());
    for (int i = 1; i <= 4; ++i) {
        state.screen_x = state.buoy_screen_x[static_cast<std::size_t>(i)];
        state.screen_y = state.buoy_screen_y[static_cast<std::size_t>(i)];
        ASSERT_TRUE(screen_to_survey(state).ok());
        EXPECT_NEAR(state.survey_x, state.buoy_survey_x[static_cast<std::size_t>(i)], 1e-9);
        EXPECT_NEAR(state.survey_y, state.buoy_survey_y[static_cast<std::size_t>(i)], 1e-9);
        ASSERT_TRUE(survey_to_screen(state).ok());
        EXPECT_NEAR(state.screen_x, state.buoy_screen_x[static_cast<std::size_t>(i)], 1e-7);
        EXPECT_NEAR(state.screen_y, state.buoy_screen_y[static_cast<std::size_t>(i)], 1e-7);
    }
}

TEST(SolveGrid, FailedSolveChangesNothing)
{
    GridState state;
    markCourse(state, sampleCourse());
    state.active_coef = {1, 2, 3, 4, 5, 6, 7, 8}; // the grid in use before the edit
    // Upper right, lower right and upper left on one screen line.
    state.buoy_screen_x = {0, 1000, 2000, 3000, 1000, 0};
    state.buoy_screen_y = {0, 1000, 2000, 3000, 4000, 0};
    const GridState before = state;

    auto solved = solveAndRecordGrid(state, 1, "No File", "north view");
    ASSERT_FALSE(solved.ok());
    EXPECT_EQ(solved.error().text(), "No Unique Solution - Re-enter data");
    EXPECT_EQ(state, before); // active_coef included: no partly eliminated values
}

TEST(SolveGrid, SuccessfulSolveRecordsTheGrid)
{
    GridState state;
    state.grids_in_use = 2;
    state.grid_records[1].extra = {7, 7, 7};
    const GridRecord gridOne = state.grid_records[1];
    markCourse(state, sampleCourse());

    ASSERT_TRUE(solveAndRecordGrid(state, 2, "No File", "north view").ok());
    EXPECT_TRUE(state.grid2_loaded);
    EXPECT_FALSE(state.grid1_loaded);
    EXPECT_EQ(state.current_grid, 2);
    EXPECT_EQ(state.grid_file_labels[2], "No File");
    EXPECT_EQ(state.grid_descriptions[2], "north view");
    const GridRecord& record = state.grid_records[2];
    EXPECT_EQ(record.coef, state.active_coef);
    EXPECT_EQ(record.corner_screen_x, state.buoy_screen_x);
    EXPECT_EQ(record.corner_survey_y, state.buoy_survey_y);
    EXPECT_EQ(record.ramp_x, state.grid_ramp_x);
    EXPECT_EQ(record.extra, (GridExtras{10, 2, 5}));
    EXPECT_EQ(state.grid_records[1], gridOne);
    // The upper-right buoy is further along the survey x axis than the upper-left one.
    EXPECT_EQ(state.grid_direction, -1.0);
    EXPECT_FALSE(state.grids_complete);
}

TEST(GridDirection, PlusOneOnlyWhenUpperRightIsBelowUpperLeft)
{
    EXPECT_EQ(gridDirectionFor(10.0, 40.0), 1.0);
    EXPECT_EQ(gridDirectionFor(40.0, 10.0), -1.0);
    EXPECT_EQ(gridDirectionFor(25.5, 25.5), -1.0);

    GridState state;
    state.buoy_survey_x[corner::upperRight] = -3.0;
    state.buoy_survey_x[corner::upperLeft] = -3.0;
    updateGridDirection(state);
    EXPECT_EQ(state.grid_direction, -1.0);
}

TEST(GridsComplete, RisesOnlyWhenEveryGridInUseIsLoaded)
{
    GridState state;
    state.grids_in_use = 2;
    markCourse(state, sampleCourse());
    ASSERT_TRUE(solveAndRecordGrid(state, 2, "No File", "").ok());
    EXPECT_FALSE(state.grids_complete);
    ASSERT_TRUE(solveAndRecordGrid(state, 1, "No File", "").ok());
    EXPECT_TRUE(state.grids_complete);

    GridState three;
    three.grids_in_use = 3;
    three.grid1_loaded = three.grid2_loaded = true;
    update_grids_complete(three);
    EXPECT_FALSE(three.grids_complete);
    three.grid3_loaded = true;
    update_grids_complete(three);
    EXPECT_TRUE(three.grids_complete);

    // Only an edit on the setup screen lowers it; the rule itself never does.
    three.grid3_loaded = false;
    update_grids_complete(three);
    EXPECT_TRUE(three.grids_complete);
}

TEST(StoreAndActivate, MoveAGridBetweenItsRecordAndTheWorkingSet)
{
    GridState state;
    markCourse(state, sampleCourse());
    ASSERT_TRUE(solve_grid(state).ok());
    store_grid(state, 3);
    const GridState stored = state;

    // Another grid's values into the working set, then back to grid 3.
    activate_grid(state, 1);
    EXPECT_EQ(state.buoy_screen_x, CornerValues{});
    EXPECT_EQ(state.current_grid, 1);
    activate_grid(state, 3);
    EXPECT_EQ(state.current_grid, 3);
    EXPECT_EQ(state.buoy_screen_x, stored.buoy_screen_x);
    EXPECT_EQ(state.buoy_survey_y, stored.buoy_survey_y);
    EXPECT_EQ(state.active_coef, stored.active_coef);
    EXPECT_EQ(state.ramp_x, stored.grid_ramp_x);
    EXPECT_EQ(state.ramp_y, stored.grid_ramp_y);
    // Named corners follow the numbering: 1 upper right, 2 lower right, 3 upper left, 4 lower left.
    EXPECT_EQ(state.ur_screen_x, stored.buoy_screen_x[1]);
    EXPECT_EQ(state.lr_screen_y, stored.buoy_screen_y[2]);
    EXPECT_EQ(state.ul_screen_x, stored.buoy_screen_x[3]);
    EXPECT_EQ(state.ll_screen_y, stored.buoy_screen_y[4]);
    EXPECT_EQ(state.grid_records[1], GridRecord{});
    EXPECT_EQ(state.grid_records[2], GridRecord{});
}

TEST(DistanceCalculation, AddsTheRampAllowanceForTheKindOfJump)
{
    GridState state = exactGrid();
    // (6592, -256) is (203, 14) on the water: 3 m and 4 m away from a ramp at (200, 10).
    state.ramp_x = 200;
    state.screen_x = 6592;
    state.screen_y = -256;
    ASSERT_TRUE(distance_calculation(state).ok());
    EXPECT_EQ(state.survey_x, 203);
    EXPECT_EQ(state.survey_y, 14);
    EXPECT_DOUBLE_EQ(state.jump_distance, 7.1);

    state.sit_ski = true;
    ASSERT_TRUE(distance_calculation(state).ok());
    EXPECT_DOUBLE_EQ(state.jump_distance, 6.9);

    state.sit_ski = false;
    state.barefoot = true;
    ASSERT_TRUE(distance_calculation(state).ok());
    EXPECT_EQ(state.jump_distance, 5.0);
}

TEST(DistanceCalculation, LandingOnTheRampPointIsTheAllowanceAlone)
{
    GridState state = exactGrid();
    state.survey_x = state.ramp_x;
    state.survey_y = state.ramp_y;
    ASSERT_TRUE(survey_to_screen(state).ok());
    EXPECT_EQ(state.screen_x, 0);
    EXPECT_EQ(state.screen_y, 0);

    ASSERT_TRUE(distance_calculation(state).ok());
    EXPECT_DOUBLE_EQ(state.jump_distance, 2.1);
    state.sit_ski = true;
    ASSERT_TRUE(distance_calculation(state).ok());
    EXPECT_DOUBLE_EQ(state.jump_distance, 1.9);
    state.sit_ski = false;
    state.barefoot = true;
    ASSERT_TRUE(distance_calculation(state).ok());
    EXPECT_EQ(state.jump_distance, 0.0);
}

TEST(DistanceCalculation, ArithmeticFaultsLeaveTheRegistersAlone)
{
    GridState state = exactGrid();
    state.active_coef[3] = 0.001; // den is zero on the line u = -1000
    state.screen_x = -1000;
    state.survey_x = 11;
    state.survey_y = 12;
    state.jump_distance = 13;
    const GridState before = state;
    auto distance = distance_calculation(state);
    ASSERT_FALSE(distance.ok());
    EXPECT_EQ(distance.error().text(), "Division by zero");
    EXPECT_EQ(state, before);

    // The landing is found, but its distance is beyond any double: the survey point is written,
    // the distance is not.
    state = exactGrid();
    state.ramp_x = -1.5e308;
    state.screen_x = 64.0 * 1.5e306;
    state.jump_distance = 13;
    distance = distance_calculation(state);
    ASSERT_FALSE(distance.ok());
    EXPECT_EQ(distance.error().text(), "Overflow");
    EXPECT_EQ(state.survey_x, 100 + 1.5e306);
    EXPECT_EQ(state.jump_distance, 13);
}

} // namespace
} // namespace leapmark
