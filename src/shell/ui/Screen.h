#pragma once

#include "common/NavigationOrigin.h"
#include "shell/ui/AppContext.h"
#include "shell/ui/ScreenId.h"

#include <QMainWindow>

#include <optional>

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

    /**
     * Runs once, when the screen has been built and its requests connected: the place for
     * first-creation steps that change other screens (a constructor's requests would reach no one).
     */
    virtual void firstCreation() {}

signals:
    /** Asks to bring another screen to the front; the composition root does it at once. */
    void screenWanted(leapmark::ScreenId target);
    /** Asks to show a viewer as a window of its own kept in front of this screen. */
    void ownedScreenWanted(leapmark::ScreenId target, QWidget* owner);
    /** Asks to hide another screen. */
    void screenHideWanted(leapmark::ScreenId target);
    /** The operator closed the window with its title-bar button, and the screen has done its way out. */
    void closedByOperator();

protected:
    /**
     * Brings `target` to the front. With an origin, the session first records that this screen
     * opened it, which the target's arrival reads.
     */
    void openScreen(ScreenId target, std::optional<NavigationOrigin> origin = std::nullopt);
    /** Shows `target` as a window kept in front of this screen. */
    void openOwnedScreen(ScreenId target);
    /** Hides another screen. */
    void hideScreen(ScreenId target);

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
