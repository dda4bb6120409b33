#pragma once

class QKeyEvent;

namespace leapmark {

/** The Windows virtual-key code of a key press (27 ESC, 13 Enter, 65 A, 100 keypad 4 ...); 0 when none. */
[[nodiscard]] int windowsKeyCode(const QKeyEvent& event);

} // namespace leapmark
