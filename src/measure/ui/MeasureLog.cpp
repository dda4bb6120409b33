#include "measure/ui/MeasureLog.h"

namespace leapmark {

// Debug lines only when asked for, e.g. QT_LOGGING_RULES="leapmark.*.debug=true".
Q_LOGGING_CATEGORY(lcMeasure, "leapmark.measure", QtInfoMsg)

} // namespace leapmark
