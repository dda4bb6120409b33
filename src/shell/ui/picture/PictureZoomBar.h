#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QToolButton;

namespace leapmark {

class PictureSurface;

/**
 * The small zoom control of a picture surface: fit, 1:1, out, the zoom in percent, in, the
 * magnifier switch, and a readout the screen fills with what lies under the pointer.
 */
class PictureZoomBar : public QWidget
{
    Q_OBJECT

public:
    PictureZoomBar(PictureSurface& surface, QWidget* parent = nullptr);

    QToolButton* zoomFit;
    QToolButton* zoomActual;
    QToolButton* zoomOut;
    QLabel* zoomLabel;
    QToolButton* zoomIn;
    QCheckBox* chkMagnifier;
    QLabel* readout;

private:
    void showZoom(double zoom);
};

} // namespace leapmark
