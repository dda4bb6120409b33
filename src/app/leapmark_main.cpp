#include "app/AppLog.h"
#include "app/Application.h"
#include "app/LogFile.h"
#include "app/StartupOptions.h"
#include "capture/PacingClock.h"
#include "capture/ffmpeg/FfmpegCaptureControl.h"
#include "capture/ffmpeg/SystemDeviceCatalog.h"
#include "capture/ui/QtEventPoster.h"
#include "common/Clock.h"
#include "common/Version.h"
#include "settings/SettingsKeys.h"
#include "settings/ui/QtSettingsStore.h"
#include "settings/ui/SettingsLog.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/ProgramIdentity.h"
#include "shell/ui/QtPrompts.h"
#include "simulator/SimulatedVideoDevice.h"
#include "video/ffmpeg/FfmpegLog.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    // Options first, so that --help works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    int exitCode = 0;
    const auto options = leapmark::parseStartupOptions(arguments, exitCode);
    if (!options)
        return exitCode;

    leapmark::setProgramIdentity();
    QApplication qtApp(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    leapmark::setFfmpegLogSink(leapmark::logFfmpegLine);

    auto settings = options->settingsFile
                        ? std::make_unique<leapmark::QtSettingsStore>(*options->settingsFile)
                        : std::make_unique<leapmark::QtSettingsStore>();
    leapmark::QtPrompts prompts;
    settings->setFailureReporter([&prompts](const leapmark::Error& error) {
        qCWarning(leapmark::lcSettings).noquote() << QString::fromStdString(error.text());
        prompts.tell(error.text(), leapmark::MessageIcon::Critical);
    });
    leapmark::SystemClock clock;

    leapmark::SessionPaths paths;
    paths.app_dir = leapmark::applicationFolder(*options);
    leapmark::LogFile logFile(paths.app_dir / "leapmark.log");
    const leapmark::LogFileHandler logHandler(logFile);
    qCInfo(leapmark::lcApp).noquote()
        << "Leapmark" << leapmark::kLeapmarkVersion << "started; application folder"
        << QString::fromStdString(paths.app_dir.string());

    // Cameras of the system and the simulated shore camera; file names without a folder (the test
    // capture's "testvid.avi") go into the application folder.
    leapmark::QtEventPoster capturePoster;
    leapmark::SteadyPacingClock pacing;
    leapmark::SystemDeviceCatalog devices;
    leapmark::CaptureBackEndOptions captureOptions;
    captureOptions.relativeFolder = paths.app_dir;
    captureOptions.builtInDevices.push_back(leapmark::simulatedCameraDevice(pacing));
    leapmark::FfmpegCaptureControl capture(capturePoster, pacing, devices, captureOptions);
    paths.exchange_dir =
        leapmark::exchangeFolder(*options, settings->read(leapmark::keys::ExchangeFolder, ""));

    leapmark::Application app(paths, {*settings, prompts, clock, capture});
    prompts.setOwner(&app.screens().mainForm());
    QObject::connect(&qtApp, &QApplication::aboutToQuit, [&app] { app.screens().mainForm().hide(); });
    app.start();
    const int code = QApplication::exec();
    qCInfo(leapmark::lcApp) << "Leapmark ended, exit code" << code;
    return code;
}
