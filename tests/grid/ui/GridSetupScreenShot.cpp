// Saves two pictures of the grid setup screen on a frame of the simulated camera: the four buoys
// marked and solved with the Advanced accuracy labels, and the magnifier over a buoy.
// grid_setup_screenshot <screen.png> <zoomed.png>
#include "GridSetupStation.h"
#include "measure/ui/SimulatedLanding.h"

#include "common/Twips.h"
#include "grid/GridOverlay.h"
#include "grid/ui/AccuracyPanel.h"
#include "grid/ui/Grid_Setup.h"
#include "shell/ui/picture/PictureMagnifier.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <screen.png> <zoomed.png>\n", argv[0]);
        return 2;
    }
    using namespace leapmark;
    using leapmark::testing::AppHarness;
    leapmark::testing::GridSetupStation station;
    auto landing = leapmark::testing::simulateLanding({}, station.app.scratchDir() / "grid.ipt");
    if (!landing)
        return 1;
    Grid_Setup& setup = station.setup();
    setup.resize(1600, 940);
    // The frame arrives from frame selection as the hand-over bitmap.
    if (!landing->picture.save(QString::fromStdString((station.app.appDir() / "currentcapture.bmp").string()),
                               "BMP"))
        return 1;
    setup.hide();
    station.app.session().navigation_origin = NavigationOrigin::SelectFrame;
    setup.showScreen();
    leapmark::testing::GridSetupStation::settle();
    const GroundTruth& truth = landing->truth;
    for (int c = corner::upperRight; c <= corner::lowerLeft; ++c) {
        const PixelPoint pixel = truth.buoyPixels[static_cast<std::size_t>(c - 1)];
        station.markBuoy(c, {pixelsToTwips(pixel.x), pixelsToTwips(pixel.y)});
    }
    CornerPoints survey;
    for (std::size_t i = 0; i < 4; ++i)
        survey[i] = {truth.parameters.buoys[i].xMetres, truth.parameters.buoys[i].yMetres};
    station.typeSurvey(survey, {truth.parameters.ramp.xMetres, truth.parameters.ramp.yMetres});
    AppHarness::typeInto(setup.ipt_file_description_2, "Simulated shore camera");
    setup.Load->click();
    setup.accuracyPanel->optAdvancedAccuracy->click();
    setup.accuracyPanel->btnAccuracyCheck->click();
    // Zoomed so that the lattice's rows stand apart, the whole quadrilateral in view.
    const BuoyPositions buoys = namedBuoyPositions(station.app.session().grid);
    setup.picture->setZoom(1.75);
    setup.picture->centreOn(
        {(buoys.lowerLeft.x + buoys.lowerRight.x) / 2, (buoys.upperLeft.y + buoys.lowerRight.y) / 2});
    leapmark::testing::GridSetupStation::settle();
    const bool first = setup.grab().save(QString::fromUtf8(argv[1]));

    // Marking the upper-left buoy again at 1:1 with the magnifier over it.
    setup.picture->zoomActualSize();
    setup.picture->clearDrawing();
    setup.accuracyPanel->clearIndicators();
    const PixelPoint buoy = truth.buoyPixels[2];
    const QPointF twips(pixelsToTwips(buoy.x), pixelsToTwips(buoy.y));
    setup.picture->centreOn(twips);
    station.markBuoy(corner::upperLeft, twips);
    setup.picture->setMagnifierEnabled(true);
    QTest::mouseMove(setup.picture->viewport(), setup.picture->viewPixelNearest(twips));
    leapmark::testing::GridSetupStation::settle();
    const bool second = setup.grab().save(QString::fromUtf8(argv[2]));
    std::printf("%s %s, %s %s (%dx%d)\n", first ? "saved" : "could not save", argv[1],
                second ? "saved" : "could not save", argv[2], setup.width(), setup.height());
    return first && second ? 0 : 1;
}
