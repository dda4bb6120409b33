#pragma once

#include "common/Result.h"
#include "shell/ui/picture/PictureTool.h"
#include "shell/ui/picture/SurfaceDrawing.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QEvent>
#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QRegion>

#include <filesystem>
#include <optional>
#include <vector>

namespace leapmark {

class PictureMagnifier;

/**
 * The drawing surface of a screen that shows a picture and marks points on it: a background
 * picture, a persistent drawing layer, movable line items and child labels, all placed in picture
 * twips (picture pixel x 15, counted from the centre of the top-left pixel). It knows nothing of
 * what the marks mean.
 *
 * Picture. BMP, GIF, JPEG or PNG from a file, any QImage (the clipboard's), or none. Where there is
 * no picture the background colour shows.
 *
 * Drawing layer. Lines, circles and single points with a colour and a width in view pixels (a
 * cosmetic pen: a 2-pixel line stays 2 pixels at any zoom, so a mark never hides what it marks).
 * Positions and radii are twips and scale with the view. A stroke in the background colour erases
 * whatever the layer holds beneath it, so the picture shows there again; `clearDrawing` empties the
 * layer. The layer is kept as a list of strokes and rendered once per view change into a cache at
 * view resolution; a new stroke is painted into that cache alone and a repaint only composites.
 *
 * Line items. Lines that are not part of the layer and can be moved or hidden (an impact mark).
 *
 * Labels. Child widgets whose top-left corner is placed in twips; they follow zoom and scrolling
 * but keep their own size so they stay readable.
 *
 * View. Shown at its top-left corner at 1:1 by default. Zoom from 1/8 to 16 (`zoomIn`, `zoomOut`,
 * `zoomToFit`, `zoomActualSize`, Ctrl + wheel about the pointer, and the keys + and - , 0 for fit,
 * 1 for 1:1, M for the magnifier while the surface has the focus); pan with the scroll bars, the
 * wheel or a middle-button drag. A mouse position maps to the picture point under the centre of
 * its view pixel, so at zoom z clicks land 1/z of a picture pixel apart. Zoom never changes a
 * stored coordinate.
 *
 * Magnifier. An inset in the top-right corner showing the view 4x around the pointer, with a
 * cross-hair. The pointer can be moved into the inset, which then holds still, and clicked there
 * on quarter view pixels.
 *
 * Image. `image()` is picture plus layer at picture resolution; `saveImage` writes it as a 24-bit
 * BMP.
 *
 * Tool. Clicks, moves and keys mean what the tool set on the surface makes of them (PictureTool.h);
 * without a tool they only move the magnifier.
 */
class PictureSurface : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr double kMinimumZoom = 0.125;
    static constexpr double kMaximumZoom = 16.0;
    static constexpr double kMagnifierFactor = 4.0;

    explicit PictureSurface(QWidget* parent = nullptr);
    ~PictureSurface() override;

    // Picture.
    void setPicture(const QImage& picture);
    /** Loads a picture file; the error names the file and the reason, and the picture stays as it was. */
    [[nodiscard]] Result<void> loadPicture(const std::filesystem::path& file);
    void clearPicture();
    [[nodiscard]] bool hasPicture() const { return !m_picture.isNull(); }
    [[nodiscard]] const QImage& picture() const { return m_picture; }
    /** The picture's size in pixels; empty without a picture. */
    [[nodiscard]] QSize pictureSizePixels() const { return m_picture.size(); }

    void setBackgroundColour(const QColor& colour);
    [[nodiscard]] QColor backgroundColour() const { return m_background; }

    // Drawing layer.
    void drawLine(QPointF fromTwips, QPointF toTwips, const QColor& colour, int widthPixels = 1);
    void drawCircle(QPointF centreTwips, double radiusTwips, const QColor& colour, int widthPixels = 1);
    void drawPoint(QPointF twips, const QColor& colour, int widthPixels = 1);
    void draw(const SurfaceStroke& stroke);
    void clearDrawing();
    /** Every stroke since the last clear, in order. */
    [[nodiscard]] const std::vector<SurfaceStroke>& strokes() const { return m_strokes; }

    // Line items.
    /** Adds a line item; the number it gives addresses it from then on. */
    int addLineItem(const SurfaceLineItem& item);
    void setLineItem(int item, const SurfaceLineItem& value);
    [[nodiscard]] const SurfaceLineItem& lineItem(int item) const;

    // Labels.
    /** Places a label's top-left corner at a picture position; the label becomes a child of the view. */
    void placeLabel(QWidget* label, QPointF topLeftTwips);
    /** Where a placed label's top-left corner is, in twips; nothing for a label never placed. */
    [[nodiscard]] std::optional<QPointF> labelPosition(const QWidget* label) const;

    // Image.
    /** Picture and layer at picture resolution (without a picture: the view's size at 1:1). */
    [[nodiscard]] QImage image() const;
    /** Writes image() as a 24-bit BMP; the error names the file and the reason. */
    [[nodiscard]] Result<void> saveImage(const std::filesystem::path& file) const;

    // View.
    [[nodiscard]] double zoom() const { return m_zoom; }
    /** Sets the zoom, keeping the picture point under the anchor (a view position) where it is. */
    void setZoom(double zoom, std::optional<QPointF> anchor = std::nullopt);
    void zoomIn();
    void zoomOut();
    void zoomToFit();
    void zoomActualSize();
    /**
     * Zooms out, as far as needed, so that every label shown on the picture is in the view at
     * once: for a question that blocks the window while the operator must read the labels.
     */
    void showAllLabels();
    /** Scrolls so that a picture position lies at the centre of the view (as far as the picture allows). */
    void centreOn(QPointF twips);
    /** The picture position under the centre of a view pixel. */
    [[nodiscard]] QPointF twipsAtViewPixel(QPoint viewPixel) const;
    /** The picture position at a point of the view, view pixel p spanning [p, p + 1). */
    [[nodiscard]] QPointF twipsAtViewPoint(QPointF viewPoint) const;
    /** Where a picture position lies in the view. */
    [[nodiscard]] QPointF viewPointOfTwips(QPointF twips) const;
    /** The view pixel whose centre is nearest to a picture position (what a click on it would hit). */
    [[nodiscard]] QPoint viewPixelNearest(QPointF twips) const;

    // Tool.
    /** Sets the tool that takes the mouse and the keys (none: nullptr); the surface does not own it. */
    void setTool(PictureTool* tool);
    [[nodiscard]] PictureTool* tool() const { return m_tool; }

    // Magnifier.
    void setMagnifierEnabled(bool enabled);
    [[nodiscard]] bool magnifierEnabled() const;
    [[nodiscard]] PictureMagnifier& magnifier() { return *m_magnifier; }

    /** The composed view (picture and layer at the current zoom); the magnifier reads it. */
    [[nodiscard]] const QImage& composedView();
    /** Draws the visible line items with a painter set up in view coordinates. */
    void paintLineItems(QPainter& painter) const;

signals:
    void zoomChanged(double zoom);
    void magnifierToggled(bool enabled);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class PictureMagnifier;
    friend class PictureTool;

    [[nodiscard]] QPointF scrollOffset() const;
    [[nodiscard]] PictureMouse pictureMouse(const QMouseEvent& event, QPointF viewPoint) const;
    void mouseFromMagnifier(QEvent::Type type, const QMouseEvent& event, QPointF viewPoint);
    void updateScrollBars();
    void viewChanged();
    void placeLabels();
    void ensureCaches();
    void renderLayer();
    void composeRect(const QRect& rect);
    [[nodiscard]] QRect viewBounds(const SurfaceLineItem& item) const;

    QImage m_picture;
    QColor m_background{Qt::black};
    std::vector<SurfaceStroke> m_strokes;
    std::vector<SurfaceLineItem> m_lineItems;
    struct PlacedLabel
    {
        QPointer<QWidget> label;
        QPointF twips;
    };
    std::vector<PlacedLabel> m_labels;

    double m_zoom = 1.0;

    // Caches at view resolution: the layer alone (transparent where nothing is drawn) and the
    // picture with the layer over it. Rebuilt after a view change, patched by a new stroke.
    QImage m_layerCache;
    QImage m_viewCache;
    QRegion m_layerExtent;
    bool m_cachesValid = false;

    bool m_panning = false;
    QPoint m_panStart;
    QPoint m_panScrollStart;

    PictureMagnifier* m_magnifier = nullptr;
    PictureTool* m_tool = nullptr;
};

} // namespace leapmark
