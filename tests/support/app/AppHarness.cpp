#include "support/app/AppHarness.h"

#include "common/DateTimeText.h"
#include "common/PathText.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "simulator/SimulatedVideoDevice.h"
#include "support/GoldenFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <algorithm>

namespace leapmark::testing {

AppHarness::AppHarness(HarnessCamera camera, LiveJumpTiming timing) : m_videoDir(m_folder.path() / "videos")
{
    std::filesystem::create_directories(m_videoDir);
    std::filesystem::create_directories(appDir());
    if (camera == HarnessCamera::Simulated) {
        CaptureBackEndOptions options;
        options.watchDevices = false;
        options.relativeFolder = appDir();
        options.builtInDevices.push_back(simulatedCameraDevice(m_pacing, {}, timing, {320, 240}));
        m_backEnd = std::make_unique<FfmpegCaptureControl>(m_poster, m_pacing, m_devices, options);
    }
    std::filesystem::create_directories(exchangeDir());
    std::filesystem::create_directories(scratchDir());
    m_clock.set(2026, 12, 7, 15, 53, 4);
    build();
}

AppHarness::~AppHarness()
{
    m_app.reset();
    QApplication::processEvents();
}

void AppHarness::build()
{
    SessionPaths paths;
    paths.app_dir = appDir();
    paths.exchange_dir = exchangeDir();
    CaptureControl& capture = m_backEnd ? static_cast<CaptureControl&>(*m_backEnd) : m_capture;
    m_app = std::make_unique<Application>(paths, Services{m_settings, m_prompts, m_clock, capture});
}

void AppHarness::useVideoDir()
{
    m_settings.write(keys::logpath, m_videoDir.string());
}

void AppHarness::start()
{
    QObject::connect(&screens().mainForm(), &MainForm::programEnded, [this] { ++m_programEnds; });
    m_app->start();
}

void AppHarness::restart()
{
    m_app.reset();
    QApplication::processEvents();
    m_programEnds = 0;
    build();
}

MainForm& AppHarness::mainForm()
{
    return screens().mainForm();
}

Config& AppHarness::config()
{
    return screens().config();
}

std::filesystem::path AppHarness::sessionLogPath() const
{
    return m_videoDir / ("JumpMeasurementLog" + fileDateStamp(m_clock.now()) + ".txt");
}

std::filesystem::path AppHarness::resultsPath()
{
    return toPath(session().config.results_path);
}

void AppHarness::trigger(QAction* item)
{
    item->trigger();
}

void AppHarness::typeInto(QLineEdit* box, const std::string& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, QString::fromStdString(text));
}

void AppHarness::click(QAbstractButton* button)
{
    // Check boxes and option buttons take clicks on their box and caption only, which lie at the
    // left of a control stretched wider than its caption.
    const bool captioned =
        qobject_cast<QCheckBox*>(button) != nullptr || qobject_cast<QRadioButton*>(button) != nullptr;
    const QPoint where =
        captioned ? QPoint(std::min(8, button->width() / 2), button->height() / 2) : QPoint();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, where);
}

bool AppHarness::waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

void AppHarness::wait(int ms)
{
    QTest::qWait(ms);
}

std::string AppHarness::bytesOf(const std::filesystem::path& path)
{
    return fileBytes(path);
}

} // namespace leapmark::testing
