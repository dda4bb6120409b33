#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace leapmark {

/**
 * The screen loupe: a small window that stays on top and shows the screen around the mouse
 * pointer enlarged, refreshed about 30 times a second, so the operator can place a buoy or a
 * landing mark to the pixel. The mouse wheel, "+"/"-" or the up and down arrows change the zoom;
 * Esc closes it. Where the screen cannot be read (offscreen, Wayland) it shows a notice instead.
 */
class LoupeWindow : public QWidget
{
    Q_OBJECT

public:
    explicit LoupeWindow(QWidget* parent = nullptr);

    /** The zoom steps offered, smallest first. */
    static const QList<int>& zoomSteps();

    /** The screen area shown: viewSize / zoom pixels centred on the pointer. */
    [[nodiscard]] static QRect sourceRect(QPoint pointer, QSize viewSize, int zoom);

    [[nodiscard]] int zoom() const { return m_zoom; }
    void setZoom(int zoom);
    void zoomIn();
    void zoomOut();

    /** Empty while the screen can be read; otherwise what the window tells the operator. */
    [[nodiscard]] const QString& notice() const { return m_notice; }

public slots:
    /** Reads the screen around the pointer again. */
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void giveUp(const QString& notice);

    QTimer m_timer;
    QPixmap m_view;
    QString m_notice;
    int m_zoom = 4;
};

} // namespace leapmark
