#include "loupe/LoupeWindow.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

namespace leapmark {

namespace {

constexpr int kViewPixels = 240;
constexpr int kRefreshMs = 33;

/** Platforms whose screens cannot be read back: every grab would fail or warn. */
bool screenCanBeRead()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal") &&
           !platform.startsWith(QLatin1String("wayland"));
}

} // namespace

LoupeWindow::LoupeWindow(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Leapmark Loupe"));
    setFixedSize(kViewPixels, kViewPixels);
    setFocusPolicy(Qt::StrongFocus);
    connect(&m_timer, &QTimer::timeout, this, &LoupeWindow::refresh);
    if (screenCanBeRead()) {
        m_timer.start(kRefreshMs);
    } else {
        giveUp(tr("The screen cannot be read on this display (%1), so the loupe has nothing to show.")
                   .arg(QGuiApplication::platformName()));
    }
}

const QList<int>& LoupeWindow::zoomSteps()
{
    static const QList<int> steps = {2, 3, 4, 6, 8};
    return steps;
}

QRect LoupeWindow::sourceRect(QPoint pointer, QSize viewSize, int zoom)
{
    const int safeZoom = std::max(zoom, 1);
    const QSize source(std::max(viewSize.width() / safeZoom, 1), std::max(viewSize.height() / safeZoom, 1));
    return QRect(QPoint(pointer.x() - source.width() / 2, pointer.y() - source.height() / 2), source);
}

void LoupeWindow::setZoom(int zoom)
{
    if (!zoomSteps().contains(zoom) || zoom == m_zoom)
        return;
    m_zoom = zoom;
    if (m_notice.isEmpty())
        refresh();
    update();
}

void LoupeWindow::zoomIn()
{
    const auto index = zoomSteps().indexOf(m_zoom);
    if (index + 1 < zoomSteps().size())
        setZoom(zoomSteps().at(index + 1));
}

void LoupeWindow::zoomOut()
{
    const auto index = zoomSteps().indexOf(m_zoom);
    if (index > 0)
        setZoom(zoomSteps().at(index - 1));
}

void LoupeWindow::refresh()
{
    if (!m_notice.isEmpty())
        return;
    const QPoint pointer = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(pointer);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        giveUp(tr("There is no screen to read."));
        return;
    }
    const QRect source = sourceRect(pointer, size(), m_zoom).translated(-screen->geometry().topLeft());
    QPixmap grabbed = screen->grabWindow(0, source.x(), source.y(), source.width(), source.height());
    if (grabbed.isNull()) {
        giveUp(tr("The screen cannot be read on this display, so the loupe has nothing to show."));
        return;
    }
    m_view = grabbed;
    update();
}

void LoupeWindow::giveUp(const QString& notice)
{
    m_timer.stop();
    m_view = QPixmap();
    m_notice = notice;
    update();
}

void LoupeWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_notice.isEmpty()) {
        painter.setPen(Qt::white);
        painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, m_notice);
        return;
    }
    if (!m_view.isNull()) {
        // Whole screen pixels, enlarged without smoothing, so each one can be told apart.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawPixmap(rect(), m_view);
    }
    // The pixel under the pointer.
    const QPoint centre = rect().center();
    painter.setPen(QPen(Qt::red, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(centre.x() - m_zoom / 2, centre.y() - m_zoom / 2, m_zoom, m_zoom);
    painter.setPen(Qt::yellow);
    painter.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("x%1").arg(m_zoom));
}

void LoupeWindow::wheelEvent(QWheelEvent* event)
{
    if (event->angleDelta().y() > 0)
        zoomIn();
    else if (event->angleDelta().y() < 0)
        zoomOut();
    event->accept();
}

void LoupeWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Up:
        zoomIn();
        break;
    case Qt::Key_Minus:
    case Qt::Key_Down:
        zoomOut();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace leapmark
