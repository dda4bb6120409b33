#pragma once

#include "shell/ui/ScreenId.h"

class QWidget;

namespace leapmark {

struct AppContext;
class Screen;
class Screens;

/**
 * Connects what the screens ask for to the screens that answer: bringing a screen to the front,
 * showing a viewer in front of the screen that opened it, and the values one screen shows for
 * another. No screen knows another; each emits its request and this passes it on at once, in the
 * order the screen asked.
 */
class Navigator
{
public:
    Navigator(AppContext& app, Screens& screens);

    /** Connects the requests of a screen just created. */
    void connectScreen(ScreenId id, Screen& screen);

private:
    void show(ScreenId target);
    void showOwned(ScreenId target, QWidget* owner);
    void hide(ScreenId target);

    void connectMainScreen();
    void connectConfiguration();
    void connectGridSetup();
    void connectCapture();
    void connectViewers(ScreenId id);

    AppContext& m_app;
    Screens& m_screens;
};

} // namespace leapmark
