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
    /**
     * Runs once per showing, from the event loop just after the screen came to the front: the place
     * for what the screen does on arrival (reading the hand-over of the screen that opened it), never
     * a paint.
     */
    virtual void Form_Activate() {}

    /**
     * Closing the window with its title-bar button: does what the screen's own way out does. By
     * default the screen is hidden; screens with an exit of their own run it.
     */
    virtual void closeByTitleBar();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    AppContext& m_app;

private:
    bool m_arrivalPending = false;
};

} // namespace leapmark
