#pragma once

#include <QColor>
#include <QPointF>
#include <QRect>

class QPainter;

namespace leapmark {

/** One mark of a picture surface's drawing layer, in picture twips. */
struct SurfaceStroke
{
    enum class Shape { Line, Circle, Point };

    Shape shape = Shape::Line;
    QPointF from;             ///< the line's start, the circle's centre, the point
    QPointF to;               ///< the line's end
    double radiusTwips = 0.0; ///< circles only
    QColor colour;
    int widthPixels = 1;

    friend bool operator==(const SurfaceStroke&, const SurfaceStroke&) = default;
};

/** A line that is drawn over the layer and can be moved or hidden. */
struct SurfaceLineItem
{
    QPointF fromTwips;
    QPointF toTwips;
    QColor colour{Qt::white};
    int widthPixels = 1;
    bool visible = true;

    friend bool operator==(const SurfaceLineItem&, const SurfaceLineItem&) = default;
};

/** How picture twips meet a view: its zoom and how far it is scrolled, in view pixels. */
struct ViewMapping
{
    double zoom = 1.0;
    QPointF scroll;

    /** The point of the view at which a picture position lies (view pixel p spans [p, p + 1)). */
    [[nodiscard]] QPointF viewPoint(QPointF twips) const;
    /** The picture position at a point of the view. */
    [[nodiscard]] QPointF twips(QPointF viewPoint) const;
    /** Where a painter without anti-aliasing puts a mark so that it lands on the pixel under viewPoint. */
    [[nodiscard]] QPointF paintPoint(QPointF twips) const { return viewPoint(twips) - QPointF(0.5, 0.5); }
};

/** Paints a stroke with a cosmetic pen of its width and colour, or clears under it when erasing. */
void paintStroke(QPainter& painter, const SurfaceStroke& stroke, const ViewMapping& mapping, bool erase);

/** The view pixels a stroke can touch. */
[[nodiscard]] QRect strokeBounds(const SurfaceStroke& stroke, const ViewMapping& mapping);

/** Paints a line item (visible or not: the caller decides). */
void paintLineItem(QPainter& painter, const SurfaceLineItem& item, const ViewMapping& mapping);

} // namespace leapmark
