#include "shell/ui/picture/PictureMagnifier.h"

#include "shell/ui/picture/PictureSurface.h"

#include <QMouseEvent>
#include <QPainter>

namespace leapmark {

PictureMagnifier::PictureMagnifier(PictureSurface& surface) : QWidget(surface.viewport()), m_surface(surface)
{
    setObjectName(QStringLiteral("pictureMagnifier"));
    setFixedSize(kSidePixels, kSidePixels);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void PictureMagnifier::setCentre(QPointF viewPoint)
{
    if (viewPoint == m_centre)
        return;
    m_centre = viewPoint;
    update();
}

QPointF PictureMagnifier::viewPointAt(QPoint insetPixel) const
{
    const QPointF fromMiddle =
        QPointF(insetPixel) + QPointF(0.5, 0.5) - QPointF(width() / 2.0, height() / 2.0);
    return m_centre + fromMiddle / PictureSurface::kMagnifierFactor;
}

void PictureMagnifier::placeInCorner()
{
    const int margin = 6;
    move(parentWidget()->width() - width() - margin, margin);
}

void PictureMagnifier::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_surface.backgroundColour());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.translate(width() / 2.0, height() / 2.0);
    painter.scale(PictureSurface::kMagnifierFactor, PictureSurface::kMagnifierFactor);
    painter.translate(-m_centre);
    painter.drawImage(0, 0, m_surface.composedView());
    m_surface.paintLineItems(painter);
    painter.restore();

    // A cross-hair with a gap, so that the pixel at the centre stays visible.
    const QPointF middle(width() / 2.0, height() / 2.0);
    const double gap = PictureSurface::kMagnifierFactor;
    for (const QColor& colour : {QColor(0, 0, 0, 160), QColor(255, 255, 255, 220)}) {
        painter.setPen(QPen(colour, colour.alpha() == 160 ? 3 : 1));
        painter.drawLine(QPointF(middle.x() - 24, middle.y()), QPointF(middle.x() - gap, middle.y()));
        painter.drawLine(QPointF(middle.x() + gap, middle.y()), QPointF(middle.x() + 24, middle.y()));
        painter.drawLine(QPointF(middle.x(), middle.y() - 24), QPointF(middle.x(), middle.y() - gap));
        painter.drawLine(QPointF(middle.x(), middle.y() + gap), QPointF(middle.x(), middle.y() + 24));
    }
    painter.setPen(QPen(QColor(255, 255, 255), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PictureMagnifier::mousePressEvent(QMouseEvent* event)
{
    m_surface.mouseFromMagnifier(QEvent::MouseButtonPress, *event, viewPointAt(event->position().toPoint()));
}

void PictureMagnifier::mouseMoveEvent(QMouseEvent* event)
{
    m_surface.mouseFromMagnifier(QEvent::MouseMove, *event, viewPointAt(event->position().toPoint()));
}

void PictureMagnifier::mouseReleaseEvent(QMouseEvent* event)
{
    m_surface.mouseFromMagnifier(QEvent::MouseButtonRelease, *event,
                                 viewPointAt(event->position().toPoint()));
}

} // namespace leapmark
