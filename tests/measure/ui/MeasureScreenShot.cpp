// Saves a picture of the measurement screen with a jump measured on the simulated camera's landing
// frame: the overlay, the impact mark with its splash indicator and the verify readouts.
// measure_screenshot <file.png>
#include "MeasureStation.h"
#include "SimulatedLanding.h"

#include "common/Twips.h"
#include "measure/ui/Measure.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QApplication>
#include <QPushButton>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.png>\n", argv[0]);
        return 2;
    }
    using namespace leapmark;
    leapmark::testing::MeasureStation station;
    const std::filesystem::path gridFile = station.app.scratchDir() / "grid.ipt";
    auto landing = leapmark::testing::simulateLanding(SimulationParameters{}, gridFile);
    if (!landing || !landing->picture.save(QString::fromStdString(station.handOverPicture().string()), "BMP"))
        return 1;
    station.app.settings().write(keys::grid1File, gridFile.string());
    station.app.settings().write(keys::WSTIMS, "1");
    station.app.settings().write(keys::TournamentName, "Lake Classic 2026");
    station.start();
    station.arriveFromFrameSelection();
    station.typeSkierName("Smith, John");

    Measure& measure = station.measure();
    measure.resize(1320, 900);
    const PixelPoint pixel = landing->truth.landingPixel;
    const PlanePoint twips{pixelsToTwips(pixel.x), pixelsToTwips(pixel.y)};
    // Zoomed in as the operator does to mark between pixels, the four buoys still in view.
    measure.picture->setZoom(2.0);
    measure.picture->centreOn({twips.x, twips.y});
    measure.verify->click();
    station.clickPicture(twips);
    station.movePointer(twips);
    measure.Record->click();
    leapmark::testing::MeasureStation::settle();

    const bool saved = measure.grab().save(QString::fromUtf8(argv[1]));
    std::printf("%s %s (%dx%d)\n", saved ? "saved" : "could not save", argv[1], measure.width(),
                measure.height());
    return saved ? 0 : 1;
}
