#include "grid/GridOverlay.h"

#include "common/NumberText.h"

#include <cmath>

namespace leapmark {
namespace {

/** The five single points of a circle marker: the centre and 5 twips up, down, right and left. */
void appendPlus(Drawing& drawing, PlanePoint at, Rgb colour)
{
    for (const PlanePoint offset :
         {PlanePoint{0, 0}, PlanePoint{0, 5}, PlanePoint{0, -5}, PlanePoint{5, 0}, PlanePoint{-5, 0}})
        drawing.push_back(pointCommand({at.x + offset.x, at.y + offset.y}, colour));
}

double distanceFromRamp(const GridState& state, int cornerNumber)
{
    const auto c = static_cast<std::size_t>(cornerNumber);
    return std::sqrt(std::pow(state.ramp_x - state.buoy_survey_x[c], 2) +
                     std::pow(state.ramp_y - state.buoy_survey_y[c], 2));
}

/** Feet labels sit 400 twips above and 100 left of their buoy, metre labels 600 above. */
PlacedCaption captionOver(PlanePoint buoy, double above, std::string caption)
{
    return {std::move(caption), {buoy.x - 100, buoy.y - above}};
}

} // namespace

BuoyMarkerStyle buoyMarkerStyle(std::string_view buoy_marker)
{
    return buoy_marker == "cross" ? BuoyMarkerStyle::Cross : BuoyMarkerStyle::Circle;
}

Rgb overlayDrawingColour(std::string_view label_color_name, Rgb label_color)
{
    return label_color_name == "default" ? kWhiteRgb : label_color;
}

BuoyPositions namedBuoyPositions(const GridState& state)
{
    return {{state.ul_screen_x, state.ul_screen_y},
            {state.ur_screen_x, state.ur_screen_y},
            {state.ll_screen_x, state.ll_screen_y},
            {state.lr_screen_x, state.lr_screen_y}};
}

Drawing buoyMarkers(const BuoyPositions& buoys, BuoyMarkerStyle style, Rgb drawingColour, double sizeTwips)
{
    const std::array<PlanePoint, 4> order{buoys.upperLeft, buoys.upperRight, buoys.lowerLeft,
                                          buoys.lowerRight};
    Drawing drawing;
    if (style == BuoyMarkerStyle::Cross) {
        for (const PlanePoint buoy : order)
            appendCross(drawing, buoy, sizeTwips, kWhiteRgb);
        return drawing;
    }
    for (const PlanePoint buoy : order)
        drawing.push_back(circleCommand(buoy, 2 * sizeTwips, drawingColour));
    for (const PlanePoint buoy : order)
        appendPlus(drawing, buoy, drawingColour);
    return drawing;
}

Drawing buoySideLines(const BuoyPositions& buoys)
{
    return {lineCommand(buoys.lowerRight, buoys.upperRight, kWhiteRgb),
            lineCommand(buoys.lowerLeft, buoys.upperLeft, kWhiteRgb)};
}

Drawing setupExitDrawing(const BuoyPositions& buoys)
{
    Drawing drawing;
    for (const PlanePoint buoy : {buoys.upperLeft, buoys.upperRight, buoys.lowerLeft, buoys.lowerRight})
        appendCross(drawing, buoy, 100, kWhiteRgb);
    for (const DrawingCommand& line : buoySideLines(buoys))
        drawing.push_back(line);
    return drawing;
}

std::string feetCaption(double metres)
{
    return signedForm(std::floor(metres * 3.28 + 0.5)) + " feet";
}

std::string metresCaption(double metres)
{
    return signedForm(std::floor(metres * 10 + 0.5) / 10) + " meters";
}

BuoyDistanceLabels buoyDistanceLabels(const GridState& state)
{
    const double farLeft = distanceFromRamp(state, corner::upperLeft);
    const double farRight = distanceFromRamp(state, corner::upperRight);
    const PlanePoint upperLeft{state.ul_screen_x, state.ul_screen_y};
    const PlanePoint upperRight{state.ur_screen_x, state.ur_screen_y};
    return {captionOver(upperLeft, 400, feetCaption(farLeft)),
            captionOver(upperRight, 400, feetCaption(farRight)),
            captionOver(upperLeft, 600, metresCaption(farLeft)),
            captionOver(upperRight, 600, metresCaption(farRight))};
}

std::string currentGridDescription(const GridState& state)
{
    return isGridNumber(state.current_grid)
               ? state.grid_descriptions[static_cast<std::size_t>(state.current_grid)]
               : std::string();
}

MeasurementOverlay measurementOverlay(const GridState& state, BuoyMarkerStyle style, Rgb drawingColour,
                                      double sizeTwips, bool line_control_off)
{
    const BuoyPositions buoys = namedBuoyPositions(state);
    MeasurementOverlay overlay{buoyMarkers(buoys, style, drawingColour, sizeTwips), buoyDistanceLabels(state),
                               currentGridDescription(state)};
    if (!line_control_off)
        for (const DrawingCommand& line : buoySideLines(buoys))
            overlay.drawing.push_back(line);
    return overlay;
}

} // namespace leapmark
