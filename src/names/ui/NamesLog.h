#pragma once

#include <QLoggingCategory>

namespace leapmark {

/** The log of the names room's screens and adapters: "leapmark.names". */
Q_DECLARE_LOGGING_CATEGORY(lcNames)

} // namespace leapmark
