#pragma once

#include <QLoggingCategory>

namespace leapmark {

/** The log of the measure room's screens and adapters: "leapmark.measure". */
Q_DECLARE_LOGGING_CATEGORY(lcMeasure)

} // namespace leapmark
