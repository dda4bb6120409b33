#pragma once

#include <QLoggingCategory>

namespace leapmark {

/** The log of the grid room's screens and adapters: "leapmark.grid". */
Q_DECLARE_LOGGING_CATEGORY(lcGrid)

} // namespace leapmark
