#include "settings/ui/SettingsLog.h"

namespace leapmark {

// Debug lines only when asked for, e.g. QT_LOGGING_RULES="leapmark.*.debug=true".
Q_LOGGING_CATEGORY(lcSettings, "leapmark.settings", QtInfoMsg)

} // namespace leapmark
