#pragma once

#include <QPointF>
#include <QWidget>

namespace leapmark {

class PictureSurface;

/**
 * The magnifier inset of a picture surface: the view around the pointer, PictureSurface's
 * kMagnifierFactor times larger, with a cross-hair on the centre. It sits in the view's top-right
 * corner; while the pointer is over the inset the centre holds still, and a click there lands on
 * the picture point under it at the inset's finer scale.
 */
class PictureMagnifier : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kSidePixels = 224;

    explicit PictureMagnifier(PictureSurface& surface);

    /** The view point shown at the centre. */
    [[nodiscard]] QPointF centre() const { return m_centre; }
    void setCentre(QPointF viewPoint);
    /** The view point under the centre of one of the inset's own pixels. */
    [[nodiscard]] QPointF viewPointAt(QPoint insetPixel) const;
    /** Moves the inset into the top-right corner of the view. */
    void placeInCorner();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PictureSurface& m_surface;
    QPointF m_centre;
};

} // namespace leapmark
