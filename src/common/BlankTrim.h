#pragma once

#include <string_view>

namespace leapmark {

/** The text less the blanks at both ends (blanks only: tabs and line breaks stay). */
[[nodiscard]] constexpr std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

/** The text less the blanks at its end. */
[[nodiscard]] constexpr std::string_view trimTrailingBlanks(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace leapmark
