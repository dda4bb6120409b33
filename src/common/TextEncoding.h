#pragma once

#include <string>

namespace leapmark {

/** The character a Windows-1252 byte stands for (bytes the code page leaves undefined keep their value). */
[[nodiscard]] char32_t windows1252CodePoint(unsigned char byte);

/** Appends a code point as UTF-8; surrogates and values beyond U+10FFFF become U+FFFD. */
void appendUtf8(std::string& out, char32_t codePoint);

} // namespace leapmark
