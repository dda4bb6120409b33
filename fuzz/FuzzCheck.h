// Property checks shared by the fuzz targets: a broken property stops the run with its name, so the
// fuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace leapmark::fuzz {

inline void require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "broken property: %s\n", property);
        std::abort();
    }
}

inline bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

inline bool hasLineEnd(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

/** True when no line of the text (lines end at LF) is longer than maxLine bytes, LF aside. */
inline bool linesAtMost(std::string_view text, std::size_t maxLine)
{
    std::size_t length = 0;
    for (const char c : text) {
        length = c == '\n' ? 0 : length + 1;
        if (length > maxLine)
            return false;
    }
    return true;
}

} // namespace leapmark::fuzz
