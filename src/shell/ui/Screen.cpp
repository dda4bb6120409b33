#include "shell/ui/Screen.h"

#include "shell/Session.h"
#include "shell/ui/AccessibleNames.h"
#include "shell/ui/HandlerGuard.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QTimer>

namespace leapmark {

Screen::Screen(AppContext& app, const char* objectName, const QString& caption, QWidget* owner)
    : QMainWindow(owner, owner ? Qt::Window : Qt::WindowFlags()), m_app(app)
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(caption);
}

void Screen::showScreen()
{
    show();
    raise();
    activateWindow();
}

void Screen::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Spontaneous shows are the window system restoring a minimised window: no new arrival.
    if (event->spontaneous() || m_arrivalPending)
        return;
    nameControlsForAccessibility(*this);
    m_arrivalPending = true;
    QTimer::singleShot(0, this, [this] {
        m_arrivalPending = false;
        if (isVisible())
            runHandler(m_app.prompts, [this] { Form_Activate(); });
    });
}

void Screen::openScreen(ScreenId target, std::optional<NavigationOrigin> origin)
{
    if (origin)
        m_app.session.navigation_origin = *origin;
    emit screenWanted(target);
}

void Screen::openOwnedScreen(ScreenId target)
{
    emit ownedScreenWanted(target, this);
}

void Screen::hideScreen(ScreenId target)
{
    emit screenHideWanted(target);
}

void Screen::closeByTitleBar()
{
    hide();
}

void Screen::closeEvent(QCloseEvent* event)
{
    // The screen decides for itself whether it goes; the window system never just hides it.
    event->ignore();
    runHandler(m_app.prompts, [this] { closeByTitleBar(); });
    emit closedByOperator();
}

} // namespace leapmark
