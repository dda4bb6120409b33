#pragma once

#include <string>
#include <string_view>

namespace leapmark {

/** What the jump number starts at for every new skier. */
inline constexpr std::string_view kFirstJumpNumberText = "1";

/**
 * The next jump number text: the signed form of the text's leading number plus one, so "1" gives
 * " 2" and " 2" gives " 3"; a text with no number ("Jump") gives " 1".
 */
[[nodiscard]] std::string nextJumpNumberText(std::string_view jumpNumberText);

} // namespace leapmark
