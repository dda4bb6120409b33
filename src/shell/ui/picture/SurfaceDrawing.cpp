#include "shell/ui/picture/SurfaceDrawing.h"

#include "common/Twips.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace leapmark {

QPointF ViewMapping::viewPoint(QPointF twips) const
{
    return {pictureTwipsToViewPoint(twips.x(), zoom, scroll.x()),
            pictureTwipsToViewPoint(twips.y(), zoom, scroll.y())};
}

QPointF ViewMapping::twips(QPointF viewPoint) const
{
    return {viewPointToPictureTwips(viewPoint.x(), zoom, scroll.x()),
            viewPointToPictureTwips(viewPoint.y(), zoom, scroll.y())};
}

namespace {

QPen cosmeticPen(const QColor& colour, int widthPixels)
{
    QPen pen(colour);
    pen.setWidth(std::max(1, widthPixels));
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace

void paintStroke(QPainter& painter, const SurfaceStroke& stroke, const ViewMapping& mapping, bool erase)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Clearing takes the pen's shape only; the colour must merely be opaque.
    painter.setCompositionMode(erase ? QPainter::CompositionMode_Clear
                                     : QPainter::CompositionMode_SourceOver);
    painter.setPen(cosmeticPen(erase ? QColor(Qt::black) : stroke.colour, stroke.widthPixels));
    painter.setBrush(Qt::NoBrush);
    const QPointF from = mapping.paintPoint(stroke.from);
    switch (stroke.shape) {
    case SurfaceStroke::Shape::Line:
        painter.drawLine(from, mapping.paintPoint(stroke.to));
        break;
    case SurfaceStroke::Shape::Circle: {
        const double radius = twipsToPixels(stroke.radiusTwips) * mapping.zoom;
        painter.drawEllipse(from, radius, radius);
        break;
    }
    case SurfaceStroke::Shape::Point:
        if (stroke.widthPixels <= 1) {
            painter.drawPoint(from);
        } else {
            // A wide point is a filled square of the pen's width around the position.
            const double half = stroke.widthPixels / 2.0;
            painter.fillRect(
                QRectF(from.x() - half + 0.5, from.y() - half + 0.5, stroke.widthPixels, stroke.widthPixels),
                erase ? QColor(Qt::black) : stroke.colour);
        }
        break;
    }
    painter.restore();
}

QRect strokeBounds(const SurfaceStroke& stroke, const ViewMapping& mapping)
{
    const QPointF a = mapping.paintPoint(stroke.from);
    QRectF box(a, a);
    if (stroke.shape == SurfaceStroke::Shape::Line) {
        box = QRectF(a, mapping.paintPoint(stroke.to)).normalized();
    } else if (stroke.shape == SurfaceStroke::Shape::Circle) {
        const double radius = twipsToPixels(stroke.radiusTwips) * mapping.zoom;
        box = QRectF(a.x() - radius, a.y() - radius, 2 * radius, 2 * radius);
    }
    const int margin = stroke.widthPixels + 2;
    const double limit = 1e7; // far-away marks are clipped anyway; keep the integer rectangle sane
    const auto clamp = [limit](double v) { return static_cast<int>(std::clamp(v, -limit, limit)); };
    return QRect(QPoint(clamp(std::floor(box.left())) - margin, clamp(std::floor(box.top())) - margin),
                 QPoint(clamp(std::ceil(box.right())) + margin, clamp(std::ceil(box.bottom())) + margin));
}

void paintLineItem(QPainter& painter, const SurfaceLineItem& item, const ViewMapping& mapping)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(cosmeticPen(item.colour, item.widthPixels));
    painter.drawLine(mapping.paintPoint(item.fromTwips), mapping.paintPoint(item.toTwips));
    painter.restore();
}

} // namespace leapmark
