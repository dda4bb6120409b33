#include "grid/GridOperations.h"

#include "grid/JumpDistance.h"

#include <cassert>
#include <utility>

namespace leapmark {

Result<void> solve_grid(GridState& state)
{
    auto coefficients = solveProjectiveTransform(workingScreenCorners(state), workingSurveyCorners(state));
    if (!coefficients)
        return coefficients.error();
    state.active_coef = *coefficients;
    return success();
}

void store_grid(GridState& state, int g)
{
    assert(isGridNumber(g));
    if (!isGridNumber(g))
        return;
    GridRecord& record = state.grid_records[static_cast<std::size_t>(g)];
    for (int i = 1; i <= 4; ++i) {
        const auto c = static_cast<std::size_t>(i);
        record.corner_screen_x[c] = state.buoy_screen_x[c];
        record.corner_screen_y[c] = state.buoy_screen_y[c];
        record.corner_survey_x[c] = state.buoy_survey_x[c];
        record.corner_survey_y[c] = state.buoy_survey_y[c];
    }
    record.coef = state.active_coef;
    record.ramp_x = state.grid_ramp_x;
    record.ramp_y = state.grid_ramp_y;
}

void activate_grid(GridState& state, int g)
{
    assert(isGridNumber(g));
    if (!isGridNumber(g))
        return;
    const GridRecord& record = state.grid_records[static_cast<std::size_t>(g)];
    for (int i = 1; i <= 4; ++i) {
        const auto c = static_cast<std::size_t>(i);
        state.buoy_screen_x[c] = record.corner_screen_x[c];
        state.buoy_screen_y[c] = record.corner_screen_y[c];
        state.buoy_survey_x[c] = record.corner_survey_x[c];
        state.buoy_survey_y[c] = record.corner_survey_y[c];
    }
    state.active_coef = record.coef;
    state.grid_ramp_x = record.ramp_x;
    state.grid_ramp_y = record.ramp_y;
    syncNamedCorners(state);
    state.ramp_x = state.grid_ramp_x;
    state.ramp_y = state.grid_ramp_y;
    state.current_grid = g;
}

void update_grids_complete(GridState& state)
{
    const bool complete =
        (state.grids_in_use == 1 && state.grid1_loaded) ||
        (state.grids_in_use == 2 && state.grid1_loaded && state.grid2_loaded) ||
        (state.grids_in_use == 3 && state.grid1_loaded && state.grid2_loaded && state.grid3_loaded);
    if (complete)
        state.grids_complete = true;
}

double gridDirectionFor(double upperRightSurveyX, double upperLeftSurveyX)
{
    return upperRightSurveyX < upperLeftSurveyX ? 1.0 : -1.0;
}

void updateGridDirection(GridState& state)
{
    state.grid_direction =
        gridDirectionFor(state.buoy_survey_x[corner::upperRight], state.buoy_survey_x[corner::upperLeft]);
}

void syncNamedCorners(GridState& state)
{
    state.ur_screen_x = state.buoy_screen_x[corner::upperRight];
    state.ur_screen_y = state.buoy_screen_y[corner::upperRight];
    state.lr_screen_x = state.buoy_screen_x[corner::lowerRight];
    state.lr_screen_y = state.buoy_screen_y[corner::lowerRight];
    state.ul_screen_x = state.buoy_screen_x[corner::upperLeft];
    state.ul_screen_y = state.buoy_screen_y[corner::upperLeft];
    state.ll_screen_x = state.buoy_screen_x[corner::lowerLeft];
    state.ll_screen_y = state.buoy_screen_y[corner::lowerLeft];
}

void recordSolvedGrid(GridState& state, int g, std::string fileLabel, std::string description)
{
    assert(isGridNumber(g));
    if (!isGridNumber(g))
        return;
    const auto index = static_cast<std::size_t>(g);
    setGridLoaded(state, g);
    state.current_grid = g;
    state.grid_file_labels[index] = std::move(fileLabel);
    state.grid_descriptions[index] = std::move(description);
    store_grid(state, g);
    state.grid_records[index].extra = {10.0, 2.0, 5.0};
    update_grids_complete(state);
    updateGridDirection(state);
}

Result<void> solveAndRecordGrid(GridState& state, int g, std::string fileLabel, std::string description)
{
    if (auto solved = solve_grid(state); !solved)
        return solved;
    recordSolvedGrid(state, g, std::move(fileLabel), std::move(description));
    return success();
}

Result<void> screen_to_survey(GridState& state)
{
    auto survey = screenToSurvey(state.active_coef, {state.screen_x, state.screen_y});
    if (!survey)
        return survey.error();
    state.survey_x = survey->x;
    state.survey_y = survey->y;
    return success();
}

Result<void> survey_to_screen(GridState& state)
{
    auto screen = surveyToScreen(state.active_coef, {state.survey_x, state.survey_y});
    if (!screen)
        return screen.error();
    state.screen_x = screen->x;
    state.screen_y = screen->y;
    return success();
}

Result<void> distance_calculation(GridState& state)
{
    if (auto transformed = screen_to_survey(state); !transformed)
        return transformed;
    auto distance = distanceFromRampMetres({state.survey_x, state.survey_y}, {state.ramp_x, state.ramp_y},
                                           rampAllowanceFor(state.barefoot, state.sit_ski));
    if (!distance)
        return distance.error();
    state.jump_distance = *distance;
    return success();
}

} // namespace leapmark
