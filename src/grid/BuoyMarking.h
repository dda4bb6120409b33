#pragma once

#include "grid/DrawingCommand.h"
#include "grid/GridState.h"

#include <array>
#include <optional>
#include <vector>

namespace leapmark {

/*
 * Marking the buoys on the setup screen. A click puts the selected buoy on the clicked point; with
 * the lock on, the other three move by the same offset. The micro-adjust arrows shift the selected
 * buoy, or all four while locked, by one pixel. Each moved buoy's old marker is painted over in the
 * background colour and a white cross drawn at its new place.
 */

/** The order the buoys are moved and drawn in: upper left, upper right, lower left, lower right. */
inline constexpr std::array<int, 4> kMarkingOrder{corner::upperLeft, corner::upperRight, corner::lowerLeft,
                                                  corner::lowerRight};

/** One buoy going from one screen position to another, twips. */
struct BuoyMove
{
    int cornerNumber = corner::upperLeft;
    PlanePoint from;
    PlanePoint to;

    friend bool operator==(const BuoyMove&, const BuoyMove&) = default;
};

/** A buoy's named screen position (`ul_screen_x` ...) by corner number. */
[[nodiscard]] PlanePoint namedCornerPosition(const GridState& state, int cornerNumber);

/** The moves of a click at a point: none without a selected buoy. */
[[nodiscard]] std::vector<BuoyMove> buoyMovesForClick(const GridState& state, std::optional<int> selected,
                                                      PlanePoint click, bool locked);

/** The moves of a micro-adjust shift: the selected buoy, all four when locked, else none. */
[[nodiscard]] std::vector<BuoyMove> buoyMovesForShift(const GridState& state, std::optional<int> selected,
                                                      PlanePoint shift, bool locked);

/** Puts a buoy at its new position: the named corner and the working buoy arrays. */
void applyBuoyMove(GridState& state, const BuoyMove& move);

/** The sizes of the setup screen's markers, twips. */
struct MarkerSizes
{
    double paintOverRadius = 0.0;     ///< `marker_size`: twice the size bar when the screen was made
    double paintOverHalfLength = 0.0; ///< the size bar's maximum
    double crossHalfLength = 0.0;     ///< the size bar's value
};

/** Paint over the old marker (circle and cross in the background colour), then the new white cross. */
[[nodiscard]] Drawing buoyMoveDrawing(const BuoyMove& move, const MarkerSizes& sizes, Rgb background);

} // namespace leapmark
