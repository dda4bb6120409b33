#include "shell/ui/picture/PictureSurface.h"

#include "common/PathText.h"
#include "review/VideoFrame.h"
#include "review/cDIB.h"
#include "shell/ui/picture/PictureMagnifier.h"
#include "shell/ui/picture/PictureZoomSteps.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace leapmark {

PictureSurface::PictureSurface(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    m_magnifier = new PictureMagnifier(*this);
    m_magnifier->hide();
    updateScrollBars();
}

PictureSurface::~PictureSurface() = default;

PictureTool::~PictureTool()
{
    if (m_surface && m_surface->m_tool == this)
        m_surface->m_tool = nullptr;
}

// Picture.

void PictureSurface::setPicture(const QImage& picture)
{
    m_picture = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    updateScrollBars();
    viewChanged();
}

Result<void> PictureSurface::loadPicture(const std::filesystem::path& file)
{
    QImageReader reader(QString::fromStdString(pathText(file)));
    reader.setAutoTransform(false);
    QImage picture = reader.read();
    if (picture.isNull())
        return Error(
            "Could not load the picture " + pathText(file) + ": " + reader.errorString().toStdString(),
            reader.error() == QImageReader::FileNotFoundError ? ErrorKind::NotFound : ErrorKind::Corrupt);
    setPicture(picture);
    return success();
}

void PictureSurface::clearPicture()
{
    setPicture(QImage());
}

void PictureSurface::setBackgroundColour(const QColor& colour)
{
    m_background = colour;
    viewChanged();
}

// Drawing layer.

void PictureSurface::drawLine(QPointF fromTwips, QPointF toTwips, const QColor& colour, int widthPixels)
{
    draw({SurfaceStroke::Shape::Line, fromTwips, toTwips, 0.0, colour, widthPixels});
}

void PictureSurface::drawCircle(QPointF centreTwips, double radiusTwips, const QColor& colour,
                                int widthPixels)
{
    draw({SurfaceStroke::Shape::Circle, centreTwips, centreTwips, radiusTwips, colour, widthPixels});
}

void PictureSurface::drawPoint(QPointF twips, const QColor& colour, int widthPixels)
{
    draw({SurfaceStroke::Shape::Point, twips, twips, 0.0, colour, widthPixels});
}

void PictureSurface::draw(const SurfaceStroke& stroke)
{
    m_strokes.push_back(stroke);
    if (!m_cachesValid) {
        viewport()->update();
        return;
    }
    // Only the new stroke is painted; the rest of the cache stands.
    const ViewMapping mapping{m_zoom, scrollOffset()};
    const bool erase = stroke.colour.rgb() == m_background.rgb();
    {
        QPainter painter(&m_layerCache);
        paintStroke(painter, stroke, mapping, erase);
    }
    const QRect touched = strokeBounds(stroke, mapping).intersected(m_layerCache.rect());
    if (!erase)
        m_layerExtent += touched;
    composeRect(touched);
    viewport()->update(touched);
    m_magnifier->update();
}

void PictureSurface::clearDrawing()
{
    m_strokes.clear();
    viewChanged();
}

// Line items.

int PictureSurface::addLineItem(const SurfaceLineItem& item)
{
    m_lineItems.push_back(item);
    viewport()->update(viewBounds(item));
    return static_cast<int>(m_lineItems.size()) - 1;
}

void PictureSurface::setLineItem(int item, const SurfaceLineItem& value)
{
    if (item < 0 || item >= static_cast<int>(m_lineItems.size()))
        throw std::out_of_range("no such line item on the picture surface");
    SurfaceLineItem& slot = m_lineItems[static_cast<std::size_t>(item)];
    const QRect before = viewBounds(slot);
    slot = value;
    viewport()->update(before | viewBounds(slot));
    m_magnifier->update();
}

const SurfaceLineItem& PictureSurface::lineItem(int item) const
{
    if (item < 0 || item >= static_cast<int>(m_lineItems.size()))
        throw std::out_of_range("no such line item on the picture surface");
    return m_lineItems[static_cast<std::size_t>(item)];
}

void PictureSurface::paintLineItems(QPainter& painter) const
{
    const ViewMapping mapping{m_zoom, scrollOffset()};
    for (const SurfaceLineItem& item : m_lineItems)
        if (item.visible)
            paintLineItem(painter, item, mapping);
}

// Labels.

void PictureSurface::placeLabel(QWidget* label, QPointF topLeftTwips)
{
    if (label == nullptr)
        return;
    if (label->parentWidget() != viewport()) {
        const bool hidden = label->isHidden();
        label->setParent(viewport());
        label->setHidden(hidden);
    }
    auto placed = std::find_if(m_labels.begin(), m_labels.end(),
                               [label](const PlacedLabel& entry) { return entry.label == label; });
    if (placed == m_labels.end())
        placed = m_labels.insert(m_labels.end(), PlacedLabel{label, topLeftTwips});
    placed->twips = topLeftTwips;
    // A label's corner is an edge, not a pixel centre: twips / 15 pixels from the picture's corner.
    label->move(static_cast<int>(std::floor(topLeftTwips.x() / 15.0 * m_zoom - scrollOffset().x())),
                static_cast<int>(std::floor(topLeftTwips.y() / 15.0 * m_zoom - scrollOffset().y())));
    m_magnifier->raise();
}

std::optional<QPointF> PictureSurface::labelPosition(const QWidget* label) const
{
    for (const PlacedLabel& entry : m_labels)
        if (entry.label == label)
            return entry.twips;
    return std::nullopt;
}

void PictureSurface::placeLabels()
{
    std::erase_if(m_labels, [](const PlacedLabel& entry) { return entry.label.isNull(); });
    for (const PlacedLabel& entry : std::vector<PlacedLabel>(m_labels))
        placeLabel(entry.label, entry.twips);
}

// Image.

QImage PictureSurface::image() const
{
    const QSize size = hasPicture() ? m_picture.size() : viewport()->size();
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        const ViewMapping atPictureResolution{1.0, {}};
        for (const SurfaceStroke& stroke : m_strokes)
            paintStroke(painter, stroke, atPictureResolution, stroke.colour.rgb() == m_background.rgb());
    }
    QImage result(size, QImage::Format_RGB32);
    result.fill(m_background);
    QPainter painter(&result);
    if (hasPicture())
        painter.drawImage(0, 0, m_picture);
    painter.drawImage(0, 0, layer);
    return result;
}

Result<void> PictureSurface::saveImage(const std::filesystem::path& file) const
{
    const QImage picture = image().convertToFormat(QImage::Format_RGB888);
    VideoFrame frame;
    frame.width = picture.width();
    frame.height = picture.height();
    frame.bytesPerLine = dibRowBytes(frame.width);
    frame.bgr.assign(static_cast<std::size_t>(frame.bytesPerLine) * static_cast<std::size_t>(frame.height),
                     0);
    for (int y = 0; y < frame.height; ++y) {
        const uchar* rgb = picture.constScanLine(y);
        std::uint8_t* bgr =
            frame.bgr.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.bytesPerLine);
        for (int x = 0; x < frame.width; ++x) {
            bgr[3 * x] = rgb[3 * x + 2];
            bgr[3 * x + 1] = rgb[3 * x + 1];
            bgr[3 * x + 2] = rgb[3 * x];
        }
    }
    cDIB bitmap;
    if (!bitmap.CreateFromPackedDIBPointer(packedDibFromFrame(frame)))
        return Error("Could not save the picture " + pathText(file) + ": the drawing surface is empty");
    return bitmap.WriteToFile(file);
}

// View.

QPointF PictureSurface::scrollOffset() const
{
    return {static_cast<double>(horizontalScrollBar()->value()),
            static_cast<double>(verticalScrollBar()->value())};
}

void PictureSurface::setZoom(double zoom, std::optional<QPointF> anchor)
{
    zoom = std::clamp(zoom, kMinimumZoom, kMaximumZoom);
    if (!std::isfinite(zoom) || zoom == m_zoom)
        return;
    const QPointF at = anchor.value_or(QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0));
    // Picture pixels from the picture's corner to the anchor, kept under the anchor.
    const QPointF pictureEdge = (at + scrollOffset()) / m_zoom;
    m_zoom = zoom;
    updateScrollBars();
    const QSignalBlocker blockH(horizontalScrollBar());
    const QSignalBlocker blockV(verticalScrollBar());
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(pictureEdge.x() * zoom - at.x())));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(pictureEdge.y() * zoom - at.y())));
    viewChanged();
    emit zoomChanged(m_zoom);
}

void PictureSurface::zoomIn()
{
    setZoom(nextZoomStep(m_zoom));
}

void PictureSurface::zoomOut()
{
    setZoom(previousZoomStep(m_zoom));
}

void PictureSurface::zoomToFit()
{
    if (!hasPicture())
        return;
    // Without scroll bars the whole viewport is free for the picture.
    const QSize free = maximumViewportSize();
    const double fit = std::min(static_cast<double>(free.width()) / m_picture.width(),
                                static_cast<double>(free.height()) / m_picture.height());
    setZoom(fit, QPointF(0, 0));
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void PictureSurface::zoomActualSize()
{
    setZoom(1.0);
}

void PictureSurface::showAllLabels()
{
    // Twice: zooming out may take the scroll bars away and so give the labels more room.
    for (int pass = 0; pass < 2; ++pass) {
        const QRect view = viewport()->rect();
        double fit = m_zoom;
        bool allInView = true;
        for (const PlacedLabel& entry : m_labels) {
            if (entry.label.isNull() || entry.label->isHidden())
                continue;
            allInView = allInView && view.contains(entry.label->geometry());
            // Scrolled to the picture's corner, the label's far edge must stay inside the view.
            const QPointF edge = entry.twips / 15.0;
            if (edge.x() > 0)
                fit = std::min(fit, (view.width() - entry.label->width()) / edge.x());
            if (edge.y() > 0)
                fit = std::min(fit, (view.height() - entry.label->height()) / edge.y());
        }
        if (allInView)
            return;
        setZoom(std::max(fit, kMinimumZoom), QPointF(0, 0));
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(0);
    }
}

void PictureSurface::centreOn(QPointF twips)
{
    const QPointF edge = QPointF(twips.x() / 15.0 + 0.5, twips.y() / 15.0 + 0.5) * m_zoom;
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(edge.x() - viewport()->width() / 2.0)));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(edge.y() - viewport()->height() / 2.0)));
}

QPointF PictureSurface::twipsAtViewPixel(QPoint viewPixel) const
{
    return twipsAtViewPoint(QPointF(viewPixel) + QPointF(0.5, 0.5));
}

QPointF PictureSurface::twipsAtViewPoint(QPointF viewPoint) const
{
    return ViewMapping{m_zoom, scrollOffset()}.twips(viewPoint);
}

QPointF PictureSurface::viewPointOfTwips(QPointF twips) const
{
    return ViewMapping{m_zoom, scrollOffset()}.viewPoint(twips);
}

QPoint PictureSurface::viewPixelNearest(QPointF twips) const
{
    const QPointF at = viewPointOfTwips(twips) - QPointF(0.5, 0.5);
    return {static_cast<int>(std::lround(at.x())), static_cast<int>(std::lround(at.y()))};
}

void PictureSurface::updateScrollBars()
{
    const QSize content = hasPicture() ? QSize(static_cast<int>(std::ceil(m_picture.width() * m_zoom)),
                                               static_cast<int>(std::ceil(m_picture.height() * m_zoom)))
                                       : QSize();
    // Decide the bars from the whole area, not from a viewport that a bar shown earlier made smaller.
    const QSize full = maximumViewportSize();
    const int barWidth = verticalScrollBar()->sizeHint().width();
    const int barHeight = horizontalScrollBar()->sizeHint().height();
    bool across = content.width() > full.width();
    bool down = content.height() > full.height();
    if (across && !down)
        down = content.height() > full.height() - barHeight;
    if (down && !across)
        across = content.width() > full.width() - barWidth;
    const QSize view(full.width() - (down ? barWidth : 0), full.height() - (across ? barHeight : 0));
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, content.height() - view.height()));
    horizontalScrollBar()->setPageStep(std::max(1, view.width()));
    verticalScrollBar()->setPageStep(std::max(1, view.height()));
    horizontalScrollBar()->setSingleStep(std::max(1, view.width() / 20));
    verticalScrollBar()->setSingleStep(std::max(1, view.height() / 20));
}

void PictureSurface::viewChanged()
{
    m_cachesValid = false;
    placeLabels();
    viewport()->update();
    m_magnifier->update();
}

// Tool.

void PictureSurface::setTool(PictureTool* tool)
{
    if (tool == m_tool)
        return;
    if (PictureTool* previous = std::exchange(m_tool, nullptr)) {
        previous->m_surface = nullptr;
        previous->deactivate(*this);
    }
    m_tool = tool;
    if (m_tool) {
        m_tool->m_surface = this;
        m_tool->activate(*this);
    }
}

// Magnifier.

void PictureSurface::setMagnifierEnabled(bool enabled)
{
    if (enabled == magnifierEnabled())
        return;
    m_magnifier->setVisible(enabled);
    if (enabled) {
        m_magnifier->placeInCorner();
        m_magnifier->raise();
    }
    emit magnifierToggled(enabled);
}

bool PictureSurface::magnifierEnabled() const
{
    return !m_magnifier->isHidden();
}

// Caches and painting.

const QImage& PictureSurface::composedView()
{
    ensureCaches();
    return m_viewCache;
}

void PictureSurface::ensureCaches()
{
    const QSize size = viewport()->size().expandedTo(QSize(1, 1));
    if (m_cachesValid && m_viewCache.size() == size)
        return;
    if (m_viewCache.size() != size) {
        m_viewCache = QImage(size, QImage::Format_RGB32);
        m_layerCache = QImage(size, QImage::Format_ARGB32_Premultiplied);
        // A new image holds whatever the memory held; renderLayer clears only where strokes were.
        m_layerCache.fill(Qt::transparent);
        m_layerExtent = QRegion();
    }
    renderLayer();
    m_cachesValid = true;
    composeRect(m_viewCache.rect());
}

void PictureSurface::renderLayer()
{
    const ViewMapping mapping{m_zoom, scrollOffset()};
    QPainter painter(&m_layerCache);
    // Only where strokes were can the layer hold anything.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& drawn : m_layerExtent)
        painter.fillRect(drawn, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_layerExtent = QRegion();
    for (const SurfaceStroke& stroke : m_strokes) {
        const bool erase = stroke.colour.rgb() == m_background.rgb();
        paintStroke(painter, stroke, mapping, erase);
        if (!erase)
            m_layerExtent += strokeBounds(stroke, mapping).intersected(m_layerCache.rect());
    }
}

void PictureSurface::composeRect(const QRect& rect)
{
    if (rect.isEmpty())
        return;
    QPainter painter(&m_viewCache);
    painter.setClipRect(rect);
    painter.fillRect(rect, m_background);
    if (hasPicture()) {
        const QPointF scroll = scrollOffset();
        const QRectF target(-scroll.x(), -scroll.y(), m_picture.width() * m_zoom,
                            m_picture.height() * m_zoom);
        // Whole picture pixels as squares: the operator must see where one pixel ends.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (m_zoom == 1.0) {
            painter.drawImage(rect.topLeft(), m_picture, rect.translated(scroll.toPoint()));
        } else {
            const QRectF visible = target.intersected(QRectF(rect));
            if (!visible.isEmpty()) {
                const QRectF source((visible.left() - target.left()) / m_zoom,
                                    (visible.top() - target.top()) / m_zoom, visible.width() / m_zoom,
                                    visible.height() / m_zoom);
                painter.drawImage(visible, m_picture, source);
            }
        }
    }
    // The layer is mostly empty: composite only where strokes have been.
    for (const QRect& layered : m_layerExtent.intersected(rect))
        painter.drawImage(layered.topLeft(), m_layerCache, layered);
}

void PictureSurface::paintEvent(QPaintEvent* event)
{
    ensureCaches();
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), m_viewCache, area);
    paintLineItems(painter);
}

QRect PictureSurface::viewBounds(const SurfaceLineItem& item) const
{
    return strokeBounds(
        {SurfaceStroke::Shape::Line, item.fromTwips, item.toTwips, 0.0, item.colour, item.widthPixels},
        ViewMapping{m_zoom, scrollOffset()});
}

void PictureSurface::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    if (magnifierEnabled())
        m_magnifier->placeInCorner();
    viewChanged();
}

void PictureSurface::scrollContentsBy(int, int)
{
    viewChanged();
}

// Mouse and keys.

PictureMouse PictureSurface::pictureMouse(const QMouseEvent& event, QPointF viewPoint) const
{
    return {twipsAtViewPoint(viewPoint), event.button(), event.buttons(), event.modifiers()};
}

void PictureSurface::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        m_panning = true;
        m_panStart = event->position().toPoint();
        m_panScrollStart = scrollOffset().toPoint();
        viewport()->setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (m_tool)
        m_tool->mousePressed(pictureMouse(*event, QPointF(event->position().toPoint()) + QPointF(0.5, 0.5)));
}

void PictureSurface::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (m_panning) {
        const QPoint moved = at - m_panStart;
        horizontalScrollBar()->setValue(m_panScrollStart.x() - moved.x());
        verticalScrollBar()->setValue(m_panScrollStart.y() - moved.y());
        return;
    }
    const QPointF centre = QPointF(at) + QPointF(0.5, 0.5);
    if (magnifierEnabled())
        m_magnifier->setCentre(centre);
    if (m_tool)
        m_tool->mouseMoved(pictureMouse(*event, centre));
}

void PictureSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && m_panning) {
        m_panning = false;
        viewport()->unsetCursor();
        return;
    }
    if (m_tool)
        m_tool->mouseReleased(pictureMouse(*event, QPointF(event->position().toPoint()) + QPointF(0.5, 0.5)));
}

void PictureSurface::mouseFromMagnifier(QEvent::Type type, const QMouseEvent& event, QPointF viewPoint)
{
    if (!m_tool)
        return;
    const PictureMouse mouse = pictureMouse(event, viewPoint);
    if (type == QEvent::MouseButtonPress)
        m_tool->mousePressed(mouse);
    else if (type == QEvent::MouseButtonRelease)
        m_tool->mouseReleased(mouse);
    else
        m_tool->mouseMoved(mouse);
}

void PictureSurface::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y();
    if (steps == 0)
        return;
    setZoom(steps > 0 ? nextZoomStep(m_zoom) : previousZoomStep(m_zoom), event->position());
    event->accept();
}

void PictureSurface::keyPressEvent(QKeyEvent* event)
{
    if (m_tool && m_tool->keyPressed(event->key(), event->modifiers()))
        return;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomIn();
        return;
    case Qt::Key_Minus:
        zoomOut();
        return;
    case Qt::Key_0:
        zoomToFit();
        return;
    case Qt::Key_1:
        zoomActualSize();
        return;
    case Qt::Key_M:
        setMagnifierEnabled(!magnifierEnabled());
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

} // namespace leapmark
