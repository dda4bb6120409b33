#include "review/ui/ArrowKeyWatch.h"

#include <QApplication>
#include <QFocusEvent>
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

bool ArrowKeyWatch::losesTheKeys(const QObject* watched, const QEvent& event) const
{
    switch (event.type()) {
    case QEvent::ApplicationStateChange:
        return true;
    case QEvent::WindowDeactivate:
        return watched == &m_window;
    case QEvent::FocusOut: {
        // Focus moving between the window's own controls keeps the key: its release still comes here.
        const auto reason = static_cast<const QFocusEvent&>(event).reason();
        const auto* widget = qobject_cast<const QWidget*>(watched);
        return widget != nullptr && widget->window() == &m_window &&
               (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason);
    }
    default:
        return false;
    }
}

bool ArrowKeyWatch::eventFilter(QObject* watched, QEvent* event)
{
    // A key released while another window (a message box, a menu) has the keys never comes here:
    // from then on neither arrow counts as held.
    if (losesTheKeys(watched, *event)) {
        m_left.down = false;
        m_right.down = false;
        return false;
    }
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
