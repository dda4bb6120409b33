#pragma once

#include <cstddef>
#include <string_view>

namespace leapmark {

enum class RtfTokenKind {
    GroupStart,    ///< "{"
    GroupEnd,      ///< "}"
    ControlWord,   ///< "\word" or "\word-12", name in text
    ControlSymbol, ///< "\" and one non-letter, the character in text
    HexByte,       ///< "\'hh", value in byte
    Text,          ///< literal bytes, line ends removed
    Binary,        ///< the data of "\binN", N bytes in text
    End,
};

struct RtfToken
{
    RtfTokenKind kind = RtfTokenKind::End;
    /** Points into the input: the word, the symbol, the text or the binary data. */
    std::string_view text;
    bool hasParameter = false;
    int parameter = 0;
    unsigned char byte = 0;
};

/**
 * Splits rich text into tokens in one pass. Every call consumes at least one byte until the end,
 * so reading a whole input is linear in its size whatever it holds. Parameters are clamped to the
 * range of int; "\binN" never reaches past the end of the input.
 */
class RtfTokenizer
{
public:
    explicit RtfTokenizer(std::string_view input) : m_input(input) {}

    [[nodiscard]] RtfToken next();

private:
    RtfToken controlWord();
    RtfToken controlSymbol();
    RtfToken text();

    std::string_view m_input;
    std::size_t m_pos = 0;
};

} // namespace leapmark
