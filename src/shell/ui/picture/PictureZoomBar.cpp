#include "shell/ui/picture/PictureZoomBar.h"

#include "shell/ui/picture/PictureSurface.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <cmath>

namespace leapmark {
namespace {

QToolButton* toolButton(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

PictureZoomBar::PictureZoomBar(PictureSurface& surface, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pictureZoomBar"));
    zoomFit =
        toolButton(this, "zoomFit", QStringLiteral("Fit"), QStringLiteral("Show the whole picture (0)"));
    zoomActual = toolButton(this, "zoomActual", QStringLiteral("1:1"),
                            QStringLiteral("One picture pixel per screen pixel (1)"));
    zoomOut =
        toolButton(this, "zoomOut", QStringLiteral("-"), QStringLiteral("Zoom out (- or Ctrl + wheel)"));
    zoomLabel = new QLabel(this);
    zoomLabel->setObjectName(QStringLiteral("zoomLabel"));
    zoomLabel->setMinimumWidth(zoomLabel->fontMetrics().horizontalAdvance(QStringLiteral("1600 %")) + 8);
    zoomLabel->setAlignment(Qt::AlignCenter);
    zoomIn = toolButton(this, "zoomIn", QStringLiteral("+"), QStringLiteral("Zoom in (+ or Ctrl + wheel)"));
    chkMagnifier = new QCheckBox(QStringLiteral("Magnifier (M)"), this);
    chkMagnifier->setObjectName(QStringLiteral("chkMagnifier"));
    chkMagnifier->setFocusPolicy(Qt::NoFocus);
    readout = new QLabel(this);
    readout->setObjectName(QStringLiteral("pointerReadout"));
    readout->setTextFormat(Qt::PlainText);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* part :
         std::initializer_list<QWidget*>{zoomFit, zoomActual, zoomOut, zoomLabel, zoomIn, chkMagnifier})
        layout->addWidget(part);
    layout->addSpacing(12);
    layout->addWidget(readout, 1);

    connect(zoomFit, &QToolButton::clicked, &surface, &PictureSurface::zoomToFit);
    connect(zoomActual, &QToolButton::clicked, &surface, &PictureSurface::zoomActualSize);
    connect(zoomOut, &QToolButton::clicked, &surface, &PictureSurface::zoomOut);
    connect(zoomIn, &QToolButton::clicked, &surface, &PictureSurface::zoomIn);
    connect(chkMagnifier, &QCheckBox::toggled, &surface, &PictureSurface::setMagnifierEnabled);
    connect(&surface, &PictureSurface::magnifierToggled, chkMagnifier, &QCheckBox::setChecked);
    connect(&surface, &PictureSurface::zoomChanged, this, &PictureZoomBar::showZoom);
    showZoom(surface.zoom());
}

void PictureZoomBar::showZoom(double zoom)
{
    zoomLabel->setText(QStringLiteral("%1 %").arg(static_cast<int>(std::lround(zoom * 100.0))));
}

} // namespace leapmark
