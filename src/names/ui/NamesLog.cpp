#include "names/ui/NamesLog.h"

namespace leapmark {

// Debug lines only when asked for, e.g. QT_LOGGING_RULES="leapmark.*.debug=true".
Q_LOGGING_CATEGORY(lcNames, "leapmark.names", QtInfoMsg)

} // namespace leapmark
