#pragma once

#include "shell/ui/AppContext.h"

#include <QMainWindow>

namespace leapmark {

/**
 * A full window of the program. Created once by Screens and afterwards hidden and shown. A screen
 * given an owner stays a top-level window of its own that is kept in front of its owner.
 */
class Screen : public QMainWindow
{
    Q_OBJECT

public:
    Screen(AppContext& app, const char* objectName, const QString& caption, QWidget* owner = nullptr);

    /** Brings the screen to the front. */
    void showScreen();

protected:
    AppContext& m_app;
};

} // namespace leapmark
