#pragma once

namespace leapmark {

class CaptureControl;
class Clock;
class Prompts;
class SettingsStore;
struct Session;

/** What every screen is given: the shared state and the services. Screens never reach each other. */
struct AppContext
{
    Session& session;
    SettingsStore& settings;
    Prompts& prompts;
    const Clock& clock;
    CaptureControl& capture;
};

} // namespace leapmark
