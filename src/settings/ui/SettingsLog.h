#pragma once

#include <QLoggingCategory>

namespace leapmark {

/** The log of the settings room's screens and adapters: "leapmark.settings". */
Q_DECLARE_LOGGING_CATEGORY(lcSettings)

} // namespace leapmark
