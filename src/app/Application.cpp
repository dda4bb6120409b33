#include "app/Application.h"

#include "shell/ui/MainForm.h"

namespace leapmark {

Application::Application(SessionPaths paths, Services services)
    : m_context{m_session, services.settings, services.prompts, services.clock, services.capture},
      m_navigator(m_context, m_screens)
{
    m_session.paths = std::move(paths);
    m_session.paths.current_folder = m_session.paths.app_dir;
    m_screens.attach(m_context,
                     [this](ScreenId id, Screen& screen) { m_navigator.connectScreen(id, screen); });
}

Application::~Application() = default;

void Application::start()
{
    // The start-up asks its questions before any window shows; it ends on the configuration screen.
    m_screens.mainForm().Form_Load();
    m_screens.keepAWindowVisible();
}

} // namespace leapmark
