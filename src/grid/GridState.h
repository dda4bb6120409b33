#pragma once

#include "grid/GridRecord.h"

#include <array>
#include <string>

namespace leapmark {

/** Grid numbers run from 1 to 3, one per camera view. */
inline constexpr int kMaxGrids = 3;

[[nodiscard]] constexpr bool isGridNumber(int g)
{
    return g >= 1 && g <= kMaxGrids;
}

/**
 * The grid calibration state every screen shares: the stored grids, the working set (the grid
 * being set up or measured with) and the transform registers. One instance lives in the session
 * for the whole run; screens read and write its fields directly.
 *
 * Field names are the system's own. Types: counts and grid numbers that are only ever whole
 * (`current_grid`, `grids_in_use`) are ints, and 1.0/0.0 or true/false states (`grids_complete`,
 * the loaded flags, `barefoot`, `sit_ski`) are bools; a typed grid number is rounded half to even
 * before it is stored here. `grid_direction` stays a double because the measurement screen
 * multiplies by it. Where a calculation needs a flag's stored value (-1 for true), the operation
 * converts it.
 */
struct GridState
{
    /** Stored grids by grid number 1..3; element 0 is never addressed. */
    std::array<GridRecord, kMaxGrids + 1> grid_records{};

    // Working set: buoys by corner number 1..4.
    CornerValues buoy_screen_x{}; ///< twips
    CornerValues buoy_screen_y{};
    CornerValues buoy_survey_x{}; ///< metres
    CornerValues buoy_survey_y{};

    // The same screen positions by corner name; drawing and checks read these.
    double ul_screen_x = 0.0;
    double ul_screen_y = 0.0;
    double ur_screen_x = 0.0;
    double ur_screen_y = 0.0;
    double ll_screen_x = 0.0;
    double ll_screen_y = 0.0;
    double lr_screen_x = 0.0;
    double lr_screen_y = 0.0;

    /** Coefficients of the grid in use; the transforms read only these. */
    TransformCoefficients active_coef{};

    /** Ramp point of the grid being set up; stored into its record. */
    double grid_ramp_x = 0.0;
    double grid_ramp_y = 0.0;
    /** Ramp point the distance is measured from. */
    double ramp_x = 0.0;
    double ramp_y = 0.0;

    /** The grid in the working set, 1..3. */
    int current_grid = 1;
    /** How many grids the tournament uses, 1..3; set by the configuration screen. */
    int grids_in_use = 1;

    /** Set when the grid is solved or loaded from a file; never cleared during a run. */
    bool grid1_loaded = false;
    bool grid2_loaded = false;
    bool grid3_loaded = false;

    /** True when every grid in use is loaded; lowered by any edit of a grid value on the setup screen. */
    bool grids_complete = false;

    /** +1.0 when the upper-right buoy's survey x is below the upper-left one's, else -1.0; 0 until set. */
    double grid_direction = 0.0;

    /** Per grid number 1..3: the grid file last loaded or saved, or the file box text when solved. */
    std::array<std::string, kMaxGrids + 1> grid_file_labels{};
    /** Per grid number 1..3: the one-line description. */
    std::array<std::string, kMaxGrids + 1> grid_descriptions{};

    // Transform registers: a caller fills one pair and runs screen_to_survey or survey_to_screen.
    double screen_x = 0.0; ///< twips
    double screen_y = 0.0;
    double survey_x = 0.0; ///< metres
    double survey_y = 0.0;
    /** Output of distance_calculation, metres, unrounded. */
    double jump_distance = 0.0;

    /** Tournament kind flags from the configuration; at most one is set. */
    bool barefoot = false;
    bool sit_ski = false;

    friend bool operator==(const GridState&, const GridState&) = default;
};

/** The loaded flag of grid g (1..3). */
[[nodiscard]] bool isGridLoaded(const GridState& state, int g);

/** Sets the loaded flag of grid g (1..3). */
void setGridLoaded(GridState& state, int g);

/** The working buoys as plain points, corner 1 first. */
[[nodiscard]] CornerPoints workingScreenCorners(const GridState& state);
[[nodiscard]] CornerPoints workingSurveyCorners(const GridState& state);

} // namespace leapmark
