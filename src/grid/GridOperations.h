#pragma once

#include "common/Result.h"
#include "grid/GridState.h"

#include <string>

namespace leapmark {

/*
 * Operations on the shared grid state. The transform operations work on the registers: the caller
 * writes the input pair, runs the operation and reads the output pair. On an error they write
 * nothing that was not already written, so a register never silently holds inf or NaN.
 */

/**
 * Solves the working buoys into `active_coef`. The elimination works on a copy, so a failure
 * (error text kNoUniqueSolutionText) leaves the previous `active_coef` as it was.
 */
[[nodiscard]] Result<void> solve_grid(GridState& state);

/** Copies the working set (corners, `active_coef`, `grid_ramp_x`/`y`) into record g (1..3); `extra` is
 * untouched. */
void store_grid(GridState& state, int g);

/**
 * Makes record g (1..3) the working set: corners, `active_coef`, `grid_ramp_x`/`y`, the named corner
 * positions, `ramp_x`/`y`, and `current_grid` = g.
 */
void activate_grid(GridState& state, int g);

/** Raises `grids_complete` when every grid in use is loaded; never lowers it. */
void update_grids_complete(GridState& state);

/** +1.0 when the upper-right buoy's survey x is less than the upper-left one's, else -1.0 (equal included).
 */
[[nodiscard]] double gridDirectionFor(double upperRightSurveyX, double upperLeftSurveyX);

/** Sets `grid_direction` from the working survey x of corners 1 (upper right) and 3 (upper left). */
void updateGridDirection(GridState& state);

/** Sets the named corner positions (`ur_screen_x` ...) from the working buoy arrays. */
void syncNamedCorners(GridState& state);

/**
 * What follows a successful solve of grid g (1..3) on the setup screen: its loaded flag,
 * `current_grid` = g, its file label and description (the two description boxes), `store_grid`
 * with extras 10, 2, 5, `update_grids_complete` and `grid_direction`.
 */
void recordSolvedGrid(GridState& state, int g, std::string fileLabel, std::string description);

/** `solve_grid`, then on success recordSolvedGrid; on failure nothing but the error. */
[[nodiscard]] Result<void> solveAndRecordGrid(GridState& state, int g, std::string fileLabel,
                                              std::string description);

/** (`screen_x`, `screen_y`) through `active_coef` into (`survey_x`, `survey_y`). */
[[nodiscard]] Result<void> screen_to_survey(GridState& state);

/** (`survey_x`, `survey_y`) through the inverse of `active_coef` into (`screen_x`, `screen_y`). */
[[nodiscard]] Result<void> survey_to_screen(GridState& state);

/**
 * The landing at (`screen_x`, `screen_y`): writes (`survey_x`, `survey_y`), then `jump_distance` = its
 * distance from (`ramp_x`, `ramp_y`) plus the allowance for `barefoot` / `sit_ski`. When the transform
 * fails nothing is written; when only the distance fails the survey point is already written.
 */
[[nodiscard]] Result<void> distance_calculation(GridState& state);

} // namespace leapmark
