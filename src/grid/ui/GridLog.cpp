#include "grid/ui/GridLog.h"

namespace leapmark {

// Debug lines only when asked for, e.g. QT_LOGGING_RULES="leapmark.*.debug=true".
Q_LOGGING_CATEGORY(lcGrid, "leapmark.grid", QtInfoMsg)

} // namespace leapmark
