#pragma once

namespace leapmark {

class CaptureControl;
class Clock;
class Prompts;
class Screens;
class SettingsStore;
struct Session;

/** What every screen is given: the shared state, the services and the other screens. */
struct AppContext
{
    Session& session;
    SettingsStore& settings;
    Prompts& prompts;
    const Clock& clock;
    CaptureControl& capture;
    Screens& screens;
};

} // namespace leapmark
