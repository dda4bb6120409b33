#pragma once

#include "common/Rgb.h"
#include "grid/DrawingCommand.h"
#include "grid/GridState.h"

#include <string>
#include <string_view>

namespace leapmark {

/*
 * The buoy overlay the grid setup and measurement screens draw over their pictures: a marker at
 * each buoy of the working grid and, on the measurement screen, the two side lines of the buoy
 * quadrilateral, the buoy distance labels and the grid's description. Screens clear their drawing
 * and then draw these commands.
 */

enum class BuoyMarkerStyle {
    Cross,  ///< a white cross of half-length S
    Circle, ///< a circle of radius 2 S with a five-point plus in the drawing colour
};

/** "cross" gives crosses; any other word circles. */
[[nodiscard]] BuoyMarkerStyle buoyMarkerStyle(std::string_view buoy_marker);

/** The label colour, except that "default" draws in white. */
[[nodiscard]] Rgb overlayDrawingColour(std::string_view label_color_name, Rgb label_color);

/** The named corner positions of the working grid, in the order the overlay draws them. */
struct BuoyPositions
{
    PlanePoint upperLeft;
    PlanePoint upperRight;
    PlanePoint lowerLeft;
    PlanePoint lowerRight;
};

[[nodiscard]] BuoyPositions namedBuoyPositions(const GridState& state);

/** The marker at each buoy (upper left, upper right, lower left, lower right) for a size S in twips. */
[[nodiscard]] Drawing buoyMarkers(const BuoyPositions& buoys, BuoyMarkerStyle style, Rgb drawingColour,
                                  double sizeTwips);

/** White lines from the lower-right to the upper-right and from the lower-left to the upper-left buoy. */
[[nodiscard]] Drawing buoySideLines(const BuoyPositions& buoys);

/** What the setup screen leaves on itself when it is left with every grid complete. */
[[nodiscard]] Drawing setupExitDrawing(const BuoyPositions& buoys);

/** A caption and where its label's top-left corner goes, twips. */
struct PlacedCaption
{
    std::string caption;
    PlanePoint topLeft;

    friend bool operator==(const PlacedCaption&, const PlacedCaption&) = default;
};

/** The distances from the ramp point to the two far buoys, in feet and in metres, over those buoys. */
struct BuoyDistanceLabels
{
    PlacedCaption maxbuoy;  ///< upper left, feet
    PlacedCaption minbuoy;  ///< upper right, feet
    PlacedCaption maxbuoym; ///< upper left, metres
    PlacedCaption minbuoym; ///< upper right, metres

    friend bool operator==(const BuoyDistanceLabels&, const BuoyDistanceLabels&) = default;
};

/** Whole feet at 3.28 feet to the metre, " feet" after: " 181 feet". */
[[nodiscard]] std::string feetCaption(double metres);
/** Metres to one decimal, " meters" after: " 55 meters", " 55.1 meters". */
[[nodiscard]] std::string metresCaption(double metres);

/** The labels for the ramp point (`ramp_x`, `ramp_y`) and the working buoys of the grid. */
[[nodiscard]] BuoyDistanceLabels buoyDistanceLabels(const GridState& state);

/** The description of grid `current_grid` (empty for a grid number out of range). */
[[nodiscard]] std::string currentGridDescription(const GridState& state);

/** Everything the measurement screen shows of the grid over its picture. */
struct MeasurementOverlay
{
    Drawing drawing;
    BuoyDistanceLabels labels;
    std::string description;
};

/** The markers, the side lines unless line control is off, the distance labels and the description. */
[[nodiscard]] MeasurementOverlay measurementOverlay(const GridState& state, BuoyMarkerStyle style,
                                                    Rgb drawingColour, double sizeTwips,
                                                    bool line_control_off);

} // namespace leapmark
