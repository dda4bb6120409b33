#include "review/ui/ReviewLog.h"

namespace leapmark {

// Debug lines only when asked for, e.g. QT_LOGGING_RULES="leapmark.*.debug=true".
Q_LOGGING_CATEGORY(lcReview, "leapmark.review", QtInfoMsg)

} // namespace leapmark
