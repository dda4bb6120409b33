#pragma once

#include "common/Clock.h"
#include "common/Result.h"
#include "grid/DrawingCommand.h"
#include "grid/GridOverlay.h"
#include "grid/GridSetupSummary.h"
#include "grid/GridState.h"

#include <array>
#include <string>
#include <vector>

namespace leapmark {

/*
 * The accuracy check: a 7 x 7 lattice over the buoy quadrilateral, and at each lattice point how much
 * the jump distance changes when the landing moves one pixel right or down.
 */

/** What the accuracy labels show. */
enum class AccuracyDisplay {
    HomologationLevel, ///< "R", "L", "C" or "NH"
    Distance,          ///< the distance at the point, one decimal
    Detail,            ///< the one-pixel change, two decimals
};

inline constexpr int kLatticeSize = 7;

/** Lattice points by row (0 the far buoy line .. 6 the near one) and column (0 left .. 6 right), twips. */
using AccuracyLattice = std::array<std::array<PlanePoint, kLatticeSize>, kLatticeSize>;

/** The lattice with the four buoys at its corners, edges divided in six, rows divided in six. */
[[nodiscard]] AccuracyLattice accuracyLattice(const BuoyPositions& buoys);

/** "R" up to 0.1 m, "L" up to 0.15 m, "C" up to 0.2 m, "NH" beyond. */
[[nodiscard]] std::string homologationLevel(double deltaMetres);

/** A label's text for a point's distance and one-pixel change. */
[[nodiscard]] std::string accuracyLabelText(double distanceMetres, double deltaMetres,
                                            AccuracyDisplay display);

/** One lattice point measured. */
struct AccuracyPoint
{
    int row = 0;
    int column = 0;
    PlanePoint screen;      ///< the lattice point, twips
    double distance = 0.0;  ///< d0, at the point
    double rightStep = 0.0; ///< d1, one pixel to the right
    double downStep = 0.0;  ///< d2, one pixel down
    double delta = 0.0;     ///< the larger of |d1 - d0| and |d2 - d0|
    PlanePoint surveyBelow; ///< the survey point one pixel below the lattice point
    std::string text;

    /** The accuracy label of the point: 7 x column + row. */
    [[nodiscard]] int label() const { return kLatticeSize * column + row; }
    /** Where the label's top-left corner goes: at the point's x, 75 twips below it. */
    [[nodiscard]] PlanePoint labelTopLeft() const { return {screen.x, screen.y + 15 + 60}; }
};

/**
 * Measures every lattice point through `distance_calculation`, column by column and the far row first
 * within a column (so in label order). The transform registers are left with the last point's values.
 * Fails with the reason when a point cannot be measured; nothing is returned then.
 */
[[nodiscard]] Result<std::vector<AccuracyPoint>>
measureAccuracy(GridState& state, const AccuracyLattice& lattice, AccuracyDisplay display);

/** The report file of a day: "acc" + month + day + ".txt". */
[[nodiscard]] std::string accuracyReportFileName(const LocalDateTime& moment);

/** What the report says about the grid besides the points. */
struct AccuracyReportHead
{
    LocalDateTime moment;
    int current_grid = 1;
    double front_ratio = 0.0;
    double back_ratio = 0.0;
    GridSetupBoxTexts boxes;
};

/** One point's report line: "xpix: ... ypix: ... x: ... y: ... distance: ... v inc: ... h inc: ... delta:
 * ...". */
[[nodiscard]] std::string accuracyReportLine(const AccuracyPoint& point);

/** The whole report appended for one check: the head, the corner block and the 49 point lines, CRLF. */
[[nodiscard]] std::string accuracyReport(const AccuracyReportHead& head,
                                         const std::vector<AccuracyPoint>& points);

/** Standard mode: a line along each lattice row in the label colour. */
[[nodiscard]] Drawing latticeRowLines(const AccuracyLattice& lattice, Rgb colour);

/** Where line label k (row k) goes: right of the row's last point, a little above it. */
[[nodiscard]] PlanePoint lineLabelTopLeft(const AccuracyLattice& lattice, int row);

} // namespace leapmark
