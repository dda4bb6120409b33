#pragma once

#include <QLoggingCategory>

namespace leapmark {

/** The log of the capture room's screens and adapters: "leapmark.capture". */
Q_DECLARE_LOGGING_CATEGORY(lcCapture)

} // namespace leapmark
