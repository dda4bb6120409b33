#pragma once

#include <QLoggingCategory>

namespace leapmark {

/** The log of the shell room's screens and adapters: "leapmark.shell". */
Q_DECLARE_LOGGING_CATEGORY(lcShell)

} // namespace leapmark
