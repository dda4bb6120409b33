#pragma once

#include <string>
#include <string_view>

namespace leapmark {

/**
 * The text of a names file as UTF-8. Name files come from many tools: Notepad may put a UTF-8
 * byte-order mark in front or save UTF-16 with its byte-order mark, older tools write Windows-1252.
 * Text after a UTF-16 mark (either byte order) is read as UTF-16, a unit it cannot stand for being
 * U+FFFD; a UTF-8 mark is dropped; text that is valid UTF-8 is kept as it is; any other text is read
 * byte by byte as Windows-1252.
 */
[[nodiscard]] std::string nameFileText(std::string_view bytes);

/** True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF). */
[[nodiscard]] bool isValidUtf8(std::string_view bytes);

} // namespace leapmark
