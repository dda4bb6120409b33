#pragma once

#include <optional>
#include <string_view>

namespace leapmark {

/**
 * Reads the number at the start of a text the way the operator's boxes are read: blanks, tabs and
 * line feeds anywhere are ignored, then an optional sign, digits with "." as the decimal point
 * (whatever the locale) and an optional exponent ("E" or "D") are taken; reading stops at the first
 * character that cannot continue the number.
 *
 * Returns nothing when the text does not start with a number or the number lies beyond the range
 * of a double.
 */
[[nodiscard]] std::optional<double> tryLeadingNumber(std::string_view text);

/** The leading number of a text, 0 when there is none. */
[[nodiscard]] double leadingNumber(std::string_view text);

/** True when the whole text (blanks around it aside) is one number in plain or exponent notation. */
[[nodiscard]] bool isWholeNumberText(std::string_view text);

} // namespace leapmark
