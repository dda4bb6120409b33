#pragma once

#include "common/Result.h"
#include "grid/GridState.h"

#include <string>

namespace leapmark {

/*
 * The calibration line tool: a straight line between two points given in survey metres or in
 * screen twips, each end converted into the other system with the grid in use.
 */

/** A line on the picture, twips. */
struct CalibrationLine
{
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;

    friend bool operator==(const CalibrationLine&, const CalibrationLine&) = default;
};

/** The texts of one end point's four boxes. */
struct CalibrationEnd
{
    std::string surveyX;
    std::string surveyY;
    std::string screenX;
    std::string screenY;

    friend bool operator==(const CalibrationEnd&, const CalibrationEnd&) = default;
};

/** Which column the operator typed into. */
enum class CalibrationInput { Survey, Screen };

/**
 * Converts an end point through the grid's transform registers: survey input gives the screen
 * boxes whole twips (half up), screen input gives the survey boxes metres to two decimals (half up).
 * Box numbers are read leniently (0 for no number). On a transform failure nothing is changed.
 */
[[nodiscard]] Result<CalibrationEnd> convertCalibrationEnd(GridState& grid, const CalibrationEnd& end,
                                                           CalibrationInput input);

/** The line the two ends' screen boxes give. */
[[nodiscard]] CalibrationLine calibrationLineOf(const CalibrationEnd& from, const CalibrationEnd& to);

} // namespace leapmark
