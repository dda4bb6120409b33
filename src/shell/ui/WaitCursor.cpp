#include "shell/ui/WaitCursor.h"

#include <QApplication>
#include <QCursor>

namespace leapmark {

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}

} // namespace leapmark
