#include "grid/GridState.h"

#include <cassert>

namespace leapmark {

bool isGridLoaded(const GridState& state, int g)
{
    assert(isGridNumber(g));
    switch (g) {
    case 1:
        return state.grid1_loaded;
    case 2:
        return state.grid2_loaded;
    case 3:
        return state.grid3_loaded;
    default:
        return false;
    }
}

void setGridLoaded(GridState& state, int g)
{
    assert(isGridNumber(g));
    switch (g) {
    case 1:
        state.grid1_loaded = true;
        break;
    case 2:
        state.grid2_loaded = true;
        break;
    case 3:
        state.grid3_loaded = true;
        break;
    default:
        break;
    }
}

CornerPoints workingScreenCorners(const GridState& state)
{
    CornerPoints points;
    for (std::size_t i = 0; i < 4; ++i)
        points[i] = {state.buoy_screen_x[i + 1], state.buoy_screen_y[i + 1]};
    return points;
}

CornerPoints workingSurveyCorners(const GridState& state)
{
    CornerPoints points;
    for (std::size_t i = 0; i < 4; ++i)
        points[i] = {state.buoy_survey_x[i + 1], state.buoy_survey_y[i + 1]};
    return points;
}

} // namespace leapmark
