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
    return cornerPoints(state.buoy_screen_x, state.buoy_screen_y);
}

CornerPoints workingSurveyCorners(const GridState& state)
{
    return cornerPoints(state.buoy_survey_x, state.buoy_survey_y);
}

} // namespace leapmark
