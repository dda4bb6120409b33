#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace leapmark {

/*
 * The text forms in which settings are stored, and the conversions that read them back.
 *
 * Every setting is stored as text. Whole numbers are written as integer text ("0", "-1"), other
 * numbers as number text (the shortest decimal text: "1", "15", "2.5"), flags as "True" or
 * "False". A reader given text of the wrong shape gets nothing back and falls back to its default.
 */

/** "0", "1", "-1". */
[[nodiscard]] std::string integerText(long long value);

/** The shortest decimal text of a number, "." as the decimal point: "1", "15", "2.5", "0.25". */
[[nodiscard]] std::string numberText(double value);

/** "True" or "False". */
[[nodiscard]] std::string flagText(bool value);

/**
 * A whole number that fits an int: the text, blanks around it aside, must be one number whose value
 * is whole ("2", " 2 ", "2.0" and "2E0" read as 2; "2.5", "2x" and "" read as nothing).
 */
[[nodiscard]] std::optional<int> parseIntegerText(std::string_view text);

/** Any finite number written as the whole text, blanks around it aside ("2.5", "-1", "1E3"). */
[[nodiscard]] std::optional<double> parseNumberText(std::string_view text);

/**
 * "True" or "False" in any letter case, blanks around it aside; a number reads as true unless it is
 * zero, so "1" and "-1" (the way a ticked box is often stored) are true and "0" is false.
 */
[[nodiscard]] std::optional<bool> parseFlagText(std::string_view text);

/** True when two setting keys name the same entry: letters compare without regard to case. */
[[nodiscard]] bool sameSettingKey(std::string_view first, std::string_view second);

/** The key in lower case (ASCII letters only), the form under which entries are matched. */
[[nodiscard]] std::string foldedSettingKey(std::string_view key);

} // namespace leapmark
