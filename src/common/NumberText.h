#pragma once

#include <string>

namespace leapmark {

/*
 * Number texts as the program writes them into boxes and record files.
 *
 * Every form carries at most 15 significant digits with trailing zeros dropped and "." as the
 * decimal point whatever the locale. Exponent notation (mantissa, "E", the exponent's sign and at
 * least two digits, as in 1.5E-05 or 1.23456789012346E+17) is used when the value, once rounded to
 * 15 significant digits, is 1E+15 or more, or below 1E-04 in magnitude. Between those bounds the
 * text is positional.
 */

/** Leading blank for zero and positive values, "-" otherwise; no zero before the point: " .5", "-3.25". */
[[nodiscard]] std::string signedForm(double value);

/** The same digits without the leading blank and with a "0" before the point: "0.5", "-3.25", "148". */
[[nodiscard]] std::string plainForm(double value);

/** The signed form followed by one blank: " 12.5 ". */
[[nodiscard]] std::string printForm(double value);

} // namespace leapmark
