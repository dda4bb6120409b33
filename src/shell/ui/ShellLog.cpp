#include "shell/ui/ShellLog.h"

namespace leapmark {

// Debug lines only when asked for, e.g. QT_LOGGING_RULES="leapmark.*.debug=true".
Q_LOGGING_CATEGORY(lcShell, "leapmark.shell", QtInfoMsg)

} // namespace leapmark
