#include "manual/ui/ManualLog.h"

namespace leapmark {

// Debug lines only when asked for, e.g. QT_LOGGING_RULES="leapmark.*.debug=true".
Q_LOGGING_CATEGORY(lcManual, "leapmark.manual", QtInfoMsg)

} // namespace leapmark
