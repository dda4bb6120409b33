#pragma once

#include "common/Rgb.h"
#include "grid/ProjectiveTransform.h"

#include <vector>

namespace leapmark {

/** Lines, circles and points of the grid overlays are drawn this wide, in screen pixels. */
inline constexpr int kOverlayLineWidth = 2;

/** One thing a screen draws on its picture, positions and radius in picture twips. */
struct DrawingCommand
{
    enum class Shape { Line, Circle, Point };

    Shape shape = Shape::Line;
    PlanePoint from; ///< the line's start, the circle's centre, the point
    PlanePoint to;   ///< the line's end
    double radiusTwips = 0.0;
    Rgb colour;
    int widthPixels = kOverlayLineWidth;

    friend bool operator==(const DrawingCommand&, const DrawingCommand&) = default;
};

using Drawing = std::vector<DrawingCommand>;

[[nodiscard]] inline DrawingCommand lineCommand(PlanePoint from, PlanePoint to, Rgb colour,
                                                int widthPixels = kOverlayLineWidth)
{
    return {DrawingCommand::Shape::Line, from, to, 0.0, colour, widthPixels};
}

[[nodiscard]] inline DrawingCommand circleCommand(PlanePoint centre, double radiusTwips, Rgb colour,
                                                  int widthPixels = kOverlayLineWidth)
{
    return {DrawingCommand::Shape::Circle, centre, centre, radiusTwips, colour, widthPixels};
}

[[nodiscard]] inline DrawingCommand pointCommand(PlanePoint at, Rgb colour,
                                                 int widthPixels = kOverlayLineWidth)
{
    return {DrawingCommand::Shape::Point, at, at, 0.0, colour, widthPixels};
}

/** A horizontal and then a vertical line of the given half-length through a point. */
inline void appendCross(Drawing& drawing, PlanePoint at, double halfLengthTwips, Rgb colour)
{
    drawing.push_back(lineCommand({at.x - halfLengthTwips, at.y}, {at.x + halfLengthTwips, at.y}, colour));
    drawing.push_back(lineCommand({at.x, at.y - halfLengthTwips}, {at.x, at.y + halfLengthTwips}, colour));
}

} // namespace leapmark
