#pragma once

#include "grid/DrawingCommand.h"

#include <QColor>
#include <QPointF>

namespace leapmark {

class PictureSurface;

[[nodiscard]] inline QPointF qpoint(PlanePoint p)
{
    return {p.x, p.y};
}

[[nodiscard]] inline QColor qcolour(Rgb colour)
{
    return {colour.red, colour.green, colour.blue};
}

/** Draws the commands onto the surface's drawing layer, in order. */
void drawOnSurface(PictureSurface& surface, const Drawing& drawing);

} // namespace leapmark
