#pragma once

#include <QLoggingCategory>

namespace leapmark {

/** The log of the review room's screens and adapters: "leapmark.review". */
Q_DECLARE_LOGGING_CATEGORY(lcReview)

} // namespace leapmark
