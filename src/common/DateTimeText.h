#pragma once

#include "common/Clock.h"

#include <string>

namespace leapmark {

/** "mm-dd-yyyy", as in 12-07-2026. */
[[nodiscard]] std::string dateText(const LocalDateTime& moment);

/** "hh:mm:ss" on the 24-hour clock, as in 15:53:04. */
[[nodiscard]] std::string timeText(const LocalDateTime& moment);

/** The date part of day-stamped file names: month, day and the year's last two digits, "120726". */
[[nodiscard]] std::string fileDateStamp(const LocalDateTime& moment);

} // namespace leapmark
