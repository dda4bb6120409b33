#include "shell/ui/Screen.h"

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

} // namespace leapmark
