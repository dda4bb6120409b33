#include "review/ui/ArrowKeyWatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace leapmark {

ArrowKeyWatch::ArrowKeyWatch(QWidget& window) : m_window(window)
{
    qApp->installEventFilter(this);
}

ArrowKeyWatch::~ArrowKeyWatch()
{
    qApp->removeEventFilter(this);
}

bool ArrowKeyWatch::take(Key& key)
{
    const bool result = key.down || key.pressed;
    key.pressed = false;
    return result;
}

bool ArrowKeyWatch::takeLeft()
{
    return take(m_left);
}

bool ArrowKeyWatch::takeRight()
{
    return take(m_right);
}

bool ArrowKeyWatch::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // A text box keeps its arrows for its cursor.
    if (widget == nullptr || widget->window() != &m_window || qobject_cast<QLineEdit*>(widget) != nullptr)
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    Key* key = keyEvent->key() == Qt::Key_Left    ? &m_left
               : keyEvent->key() == Qt::Key_Right ? &m_right
                                                  : nullptr;
    if (key == nullptr)
        return false;
    if (press) {
        key->down = true;
        key->pressed = true;
    } else if (!keyEvent->isAutoRepeat()) {
        key->down = false;
    }
    return true;
}

} // namespace leapmark
