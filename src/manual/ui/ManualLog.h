#pragma once

#include <QLoggingCategory>

namespace leapmark {

/** The log of the manual room's screens and adapters: "leapmark.manual". */
Q_DECLARE_LOGGING_CATEGORY(lcManual)

} // namespace leapmark
