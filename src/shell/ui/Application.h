#pragma once

#include "shell/Session.h"
#include "shell/ui/AppContext.h"
#include "shell/ui/Screens.h"

namespace leapmark {

/** The services the application runs on; real ones in the program, scripted ones in tests. */
struct Services
{
    SettingsStore& settings;
    Prompts& prompts;
    const Clock& clock;
    CaptureControl& capture;
};

/** The whole program: the shared session, its services and its screens. */
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
    // Screens hold the context and the session: they are destroyed first.
    Session m_session;
    AppContext m_context;
    Screens m_screens;
};

} // namespace leapmark
