#pragma once

#include "app/Navigator.h"
#include "app/Screens.h"
#include "shell/Session.h"
#include "shell/ui/AppContext.h"

namespace leapmark {

/** The services the application runs on; real ones in the program, scripted ones in tests. */
struct Services
{
    SettingsStore& settings;
    Prompts& prompts;
    const Clock& clock;
    CaptureControl& capture;
};

/** The whole program: the shared session, its services, its screens and what connects them. */
class Application
{
public:
    Application(SessionPaths paths, Services services);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /** Runs the main screen's start-up; it ends with the configuration screen in front. */
    void start();

    [[nodiscard]] Session& session() { return m_session; }
    [[nodiscard]] Screens& screens() { return m_screens; }
    [[nodiscard]] AppContext& context() { return m_context; }

private:
    // Screens hold the context, the session and the navigator's connections: they go first.
    Session m_session;
    AppContext m_context;
    Navigator m_navigator;
    Screens m_screens;
};

} // namespace leapmark
