#include "support/app/AppHarness.h"

#include "shell/SettingsKeys.h"
#include "support/GoldenFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

namespace leapmark::testing {

AppHarness::AppHarness() : m_videoDir(m_folder.path() / "videos")
{
    std::filesystem::create_directories(m_videoDir);
    std::filesystem::create_directories(appDir());
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
    m_app = std::make_unique<Application>(paths, Services{m_settings, m_prompts, m_clock, m_capture});
}

void AppHarness::useVideoDir() { m_settings.write(keys::logpath, m_videoDir.string()); }

void AppHarness::start() { m_app->start(); }

void AppHarness::restart()
{
    m_app.reset();
    QApplication::processEvents();
    build();
}

void AppHarness::click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

std::string AppHarness::bytesOf(const std::filesystem::path& path) { return fileBytes(path); }

} // namespace leapmark::testing
