#pragma once

#include "shell/ui/HandlerGuard.h"

#include <Qt>

namespace leapmark {

/** The four Micro-Adjust buttons of a screen, as its handlers. */
template <typename Screen>
struct MicroAdjust
{
    void (Screen::*up)();
    void (Screen::*down)();
    void (Screen::*left)();
    void (Screen::*right)();
};

/**
 * An arrow key on a picture (keypad arrows too, no other modifier) does what the Micro-Adjust
 * button of its direction does; true when the key was one of them.
 */
template <typename Screen>
bool nudgeByArrowKey(int key, Qt::KeyboardModifiers modifiers, Screen& screen,
                     const MicroAdjust<Screen>& buttons, Prompts& prompts)
{
    if (modifiers & ~Qt::KeypadModifier)
        return false;
    void (Screen::*adjust)() = nullptr;
    switch (key) {
    case Qt::Key_Up:
        adjust = buttons.up;
        break;
    case Qt::Key_Down:
        adjust = buttons.down;
        break;
    case Qt::Key_Left:
        adjust = buttons.left;
        break;
    case Qt::Key_Right:
        adjust = buttons.right;
        break;
    default:
        return false;
    }
    runHandler(prompts, [&screen, adjust] { (screen.*adjust)(); });
    return true;
}

} // namespace leapmark
