// Saves a picture of the frame selection screen on a simulated jump, stepped to its contact frame,
// with the suggested contact frame offered. frame_selection_screenshot <file.png>
#include "measure/ui/MeasureStation.h"

#include "app/Screens.h"
#include "review/ui/VideoPlayer.h"
#include "review/ui/frmSetStart.h"
#include "shell/Session.h"
#include "simulator/ffmpeg/JumpSimulation.h"

#include <QApplication>
#include <QLineEdit>
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
    using leapmark::testing::AppHarness;
    leapmark::testing::MeasureStation station;
    SimulationParameters parameters;
    parameters.seconds = 4.0;
    parameters.landingFrame = 75;
    const auto files = writeSimulatedJump(parameters, station.app.scratchDir() / "sim", {});
    if (!files)
        return 1;
    const auto video = station.app.videoDir() / "Annjump1.avi";
    std::filesystem::copy_file(files->video, video);
    station.start();
    leapmark::testing::MeasureStation::settle();

    frmSetStart& screen = station.app.screens().setStart();
    CaptureHandOver& handOver = station.app.session().capture;
    handOver.video_path = video.string();
    handOver.contact_hint_frame = 80;
    handOver.captured_rate = 30.0;
    handOver.captured_frames = static_cast<int>(files->groundTruth.frameCount);
    station.app.session().navigation_origin = NavigationOrigin::Capture;
    screen.resize(1500, 860);
    screen.showScreen();
    if (!AppHarness::waitFor([&] { return screen.suggestedFrame() >= 0; }, 60000))
        return 1;
    screen.cmdGoToSuggestion->click();
    if (!AppHarness::waitFor(
            [&] { return screen.MediaPlayer1->shownFrameIndex() == screen.suggestedFrame(); }))
        return 1;
    leapmark::testing::MeasureStation::settle();

    const bool saved = screen.grab().save(QString::fromUtf8(argv[1]));
    std::printf("%s %s (%dx%d), suggested frame %lld, landing frame %lld\n",
                saved ? "saved" : "could not save", argv[1], screen.width(), screen.height(),
                static_cast<long long>(screen.suggestedFrame()),
                static_cast<long long>(parameters.landingFrame));
    return saved ? 0 : 1;
}
