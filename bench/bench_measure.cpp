// The measurement screen, offscreen on temporary folders: how long "Record Jump" takes from the press to
// the line on disk (every record file is synced before the write returns), with and without the
// scoring program's exchange files, and what one mouse move over the picture costs with the live
// readout (the whole handler through the picture surface, and the readout's arithmetic alone).
// Prints median and 95th percentile.
#include "measure/ImpactMark.h"
#include "measure/ui/Measure.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/picture/PictureSurface.h"

#include "measure/ui/MeasureStation.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace leapmark;

void report(const char* what, std::vector<double> samples, const char* unit)
{
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    const double p95 = samples[samples.size() * 95 / 100];
    std::printf("%-58s median %8.3f %s   p95 %8.3f %s   (%zu runs)\n", what, median, unit, p95, unit,
                samples.size());
}

std::vector<double> timed(int runs, const std::function<void(int)>& work, double scale)
{
    std::vector<double> samples;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        work(i);
        samples.push_back(static_cast<double>(timer.nsecsElapsed()) * scale);
    }
    return samples;
}

void recordJumps(bool wstims)
{
    leapmark::testing::MeasureStation station;
    station.app.settings().write(keys::WSTIMS, wstims ? "1" : "0");
    station.start();
    station.arriveFromFrameSelection();
    station.typeSkierName("Smith, John");
    Measure& measure = station.measure();
    station.clickPicture({4350, 3000});
    report(wstims ? "Record Jump, results line and both exchange files" : "Record Jump, results line only",
           timed(
               200, [&](int) { measure.Record->click(); }, 1e-6),
           "ms");
}

void mouseMoves()
{
    leapmark::testing::MeasureStation station;
    station.start();
    station.arriveFromFrameSelection();
    Measure& measure = station.measure();
    measure.verify->click();
    QWidget* viewport = measure.picture->viewport();
    report("mouse move over the picture with the live readout",
           timed(
               2000,
               [&](int i) {
                   const QPointF at(100 + i % 400, 120 + i % 200);
                   QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                                    Qt::NoButton, Qt::NoModifier);
                   QApplication::sendEvent(viewport, &move);
               },
               1e-3),
           "us");

    GridState grid = station.app.session().grid;
    volatile std::size_t sink = 0;
    report("live readout arithmetic and texts alone",
           timed(
               20000,
               [&](int i) {
                   sink = sink + liveReadout(grid, {1500.0 + i % 900, 3000.0}).xtwips.size();
               },
               1e-3),
           "us");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    recordJumps(false);
    recordJumps(true);
    mouseMoves();
    return 0;
}
