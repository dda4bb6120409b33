// The picture surface under a full grid overlay on a 1920 x 1080 picture: how long a repaint takes at
// zoom 1 and 4 (from the composed cache, and after a view change that re-renders the layer), and how
// long one mouse move takes with the live readout and the magnifier following the pointer.
// Prints median and 95th percentile in milliseconds. Runs offscreen when no display is set.
#include "grid/ProjectiveTransform.h"
#include "shell/ui/picture/PictureMagnifier.h"
#include "shell/ui/picture/PictureSurface.h"
#include "shell/ui/picture/PictureTool.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace leapmark;

constexpr int kRuns = 300;

/** Water with a little texture: enough that the picture is not one flat colour. */
QImage cameraLikePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int ripple = static_cast<int>(20 * std::sin(x * 0.05 + y * 0.11) + 10 * std::sin(y * 0.31));
            row[x] = qRgb(30 + ripple / 2, 80 + ripple, 110 + ripple);
        }
    }
    return picture;
}

/** Buoy circles with their five-point plus, the side lines, the seven lattice lines and 56 labels. */
void drawFullOverlay(PictureSurface& surface)
{
    const QPointF ul(5200, 3900), ur(23800, 3600), ll(1900, 13200), lr(27100, 13900);
    const QColor white(Qt::white);
    for (const QPointF& buoy : {ul, ur, ll, lr}) {
        surface.drawCircle(buoy, 180, white, 2);
        for (const QPointF& d : {QPointF(0, 0), QPointF(0, 5), QPointF(0, -5), QPointF(5, 0), QPointF(-5, 0)})
            surface.drawPoint(buoy + d, white, 2);
    }
    surface.drawLine(lr, ur, white, 2);
    surface.drawLine(ll, ul, white, 2);
    for (int row = 0; row < 7; ++row) {
        const QPointF left = ul + (ll - ul) * (row / 6.0);
        const QPointF right = ur + (lr - ur) * (row / 6.0);
        surface.drawLine(left, right, QColor(Qt::yellow), 2);
        for (int column = 0; column < 7; ++column) {
            auto* label = new QLabel(QStringLiteral("NH"), surface.viewport());
            label->setStyleSheet(QStringLiteral("color: yellow; background: transparent"));
            label->adjustSize();
            surface.placeLabel(label, left + (right - left) * (column / 6.0) + QPointF(0, 75));
        }
        auto* line = new QLabel(QString::number(row + 1), surface.viewport());
        line->adjustSize();
        surface.placeLabel(line, right + QPointF(30, -90));
    }
    surface.addLineItem({QPointF(14000, 9000), QPointF(14600, 9000), QColor(Qt::red), 2, true});
}

struct Figures
{
    double median;
    double p95;
};

Figures measure(const std::function<void(int)>& once)
{
    std::vector<double> ms;
    ms.reserve(kRuns);
    for (int i = 0; i < 10; ++i)
        once(i); // warm caches and allocations
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        once(i);
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[static_cast<std::size_t>(ms.size() * 0.95)]};
}

void report(const char* what, Figures figures)
{
    std::printf("%-58s median %7.3f ms   p95 %7.3f ms\n", what, figures.median, figures.p95);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    PictureSurface surface;
    surface.setBackgroundColour(QColor(255, 0, 255));
    surface.setPicture(cameraLikePicture(1920, 1080));
    surface.setFrameShape(QFrame::NoFrame);
    surface.resize(1920, 1080);
    surface.show();
    drawFullOverlay(surface);
    QApplication::processEvents();

    // The readout a screen shows under the pointer: twips, pixels and the survey point.
    const TransformCoefficients grid{24.5, 0.0125, -1.5e-05, 2e-05, 3e-06, -0.25, 0.001, 0.5};
    QLabel readout;
    /** The measuring screen's tool, reduced to its readout. */
    struct ReadoutTool : PictureTool
    {
        ReadoutTool(QLabel& label, const TransformCoefficients& coefficients)
            : readout(label), grid(coefficients)
        {}
        void mouseMoved(const PictureMouse& mouse) override
        {
            const auto survey = screenToSurvey(grid, {mouse.twips.x(), mouse.twips.y()});
            readout.setText(QStringLiteral("x %1  y %2 twips   survey %3, %4 m")
                                .arg(mouse.twips.x(), 0, 'f', 2)
                                .arg(mouse.twips.y(), 0, 'f', 2)
                                .arg(survey ? survey->x : 0.0, 0, 'f', 2)
                                .arg(survey ? survey->y : 0.0, 0, 'f', 2));
        }
        QLabel& readout;
        const TransformCoefficients& grid;
    } tool(readout, grid);
    surface.setTool(&tool);

    std::printf("bench_picture_surface: 1920x1080 picture, viewport %dx%d, %zu strokes, 56 labels, %d runs\n",
                surface.viewport()->width(), surface.viewport()->height(), surface.strokes().size(), kRuns);
    for (const double zoom : {1.0, 4.0}) {
        surface.setZoom(zoom, QPointF(0, 0));
        surface.centreOn({14000, 8000});
        QApplication::processEvents();
        char what[96];
        std::snprintf(what, sizeof what, "repaint at zoom %.0f (composed view)", zoom);
        report(what, measure([&surface](int) { surface.viewport()->repaint(); }));
        std::snprintf(what, sizeof what, "repaint at zoom %.0f after a view change (all re-rendered)", zoom);
        report(what, measure([&surface](int) {
                   surface.setBackgroundColour(surface.backgroundColour());
                   surface.viewport()->repaint();
               }));
        if (zoom > 1.0) {
            std::snprintf(what, sizeof what, "repaint at zoom %.0f after a 1-pixel pan", zoom);
            report(what, measure([&surface](int i) {
                       surface.horizontalScrollBar()->setValue(surface.horizontalScrollBar()->value() +
                                                               (i % 2 ? 1 : -1));
                       surface.viewport()->repaint();
                   }));
        }
    }

    surface.setZoom(1.0, QPointF(0, 0));
    surface.setMagnifierEnabled(true);
    QApplication::processEvents();
    auto moveTo = [&surface](int i) {
        const QPointF at(400 + i % 200, 300 + (i / 2) % 150);
        QMouseEvent move(QEvent::MouseMove, at, surface.viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(surface.viewport(), &move);
    };
    report("mouse move with the live readout and the magnifier", measure(moveTo));
    report("mouse move, then the magnifier repainted", measure([&](int i) {
               moveTo(i);
               surface.magnifier().repaint();
           }));
    return 0;
}
