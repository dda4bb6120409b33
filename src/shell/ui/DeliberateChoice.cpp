#include "shell/ui/DeliberateChoice.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include <algorithm>

namespace leapmark {

DeliberateChoice::DeliberateChoice(std::vector<QAbstractButton*> buttons, QObject* parent)
    : QObject(parent), m_buttons(std::move(buttons))
{
    for (QAbstractButton* button : m_buttons)
        button->installEventFilter(this);
}

bool DeliberateChoice::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto found = std::find(m_buttons.begin(), m_buttons.end(), watched);
    if (found == m_buttons.end())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    const auto count = static_cast<std::ptrdiff_t>(m_buttons.size());
    const std::ptrdiff_t at = found - m_buttons.begin();
    std::ptrdiff_t step = 0;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        (*found)->click();
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step = 1;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        step = -1;
        break;
    default:
        return false;
    }
    // Walk past hidden or disabled options, round the row as Qt's own arrows do.
    for (std::ptrdiff_t i = 1; i < count; ++i) {
        QAbstractButton* next =
            m_buttons[static_cast<std::size_t>(((at + step * i) % count + count) % count)];
        if (next->isVisible() && next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    return true;
}

} // namespace leapmark
