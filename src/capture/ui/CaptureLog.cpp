#include "capture/ui/CaptureLog.h"

namespace leapmark {

// Debug lines only when asked for, e.g. QT_LOGGING_RULES="leapmark.*.debug=true".
Q_LOGGING_CATEGORY(lcCapture, "leapmark.capture", QtInfoMsg)

} // namespace leapmark
