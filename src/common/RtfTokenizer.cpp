#include "common/RtfTokenizer.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace leapmark {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfToken RtfTokenizer::next()
{
    // Line ends in the source carry no meaning.
    while (m_pos < m_input.size() && (m_input[m_pos] == '\r' || m_input[m_pos] == '\n'))
        ++m_pos;
    if (m_pos >= m_input.size())
        return {};

    switch (m_input[m_pos]) {
    case '{':
        ++m_pos;
        return {RtfTokenKind::GroupStart, m_input.substr(m_pos - 1, 1)};
    case '}':
        ++m_pos;
        return {RtfTokenKind::GroupEnd, m_input.substr(m_pos - 1, 1)};
    case '\\':
        ++m_pos;
        if (m_pos >= m_input.size())
            return {};
        return isLetter(m_input[m_pos]) ? controlWord() : controlSymbol();
    default:
        return text();
    }
}

RtfToken RtfTokenizer::controlWord()
{
    RtfToken token;
    token.kind = RtfTokenKind::ControlWord;
    const std::size_t start = m_pos;
    while (m_pos < m_input.size() && isLetter(m_input[m_pos]))
        ++m_pos;
    token.text = m_input.substr(start, m_pos - start);

    const bool negative = m_pos + 1 < m_input.size() && m_input[m_pos] == '-' && isDigit(m_input[m_pos + 1]);
    if (negative)
        ++m_pos;
    if (m_pos < m_input.size() && isDigit(m_input[m_pos])) {
        std::int64_t value = 0;
        while (m_pos < m_input.size() && isDigit(m_input[m_pos])) {
            if (value <= INT_MAX)
                value = value * 10 + (m_input[m_pos] - '0');
            ++m_pos;
        }
        if (value > INT_MAX)
            value = INT_MAX;
        token.hasParameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    // A blank right after a control word only ends it.
    if (m_pos < m_input.size() && m_input[m_pos] == ' ')
        ++m_pos;

    if (token.text == "bin" && token.hasParameter && token.parameter > 0) {
        const std::size_t length =
            std::min<std::size_t>(static_cast<std::size_t>(token.parameter), m_input.size() - m_pos);
        token.kind = RtfTokenKind::Binary;
        token.text = m_input.substr(m_pos, length);
        m_pos += length;
    }
    return token;
}

RtfToken RtfTokenizer::controlSymbol()
{
    RtfToken token;
    const char symbol = m_input[m_pos];
    if (symbol == '\'' && m_pos + 2 < m_input.size()) {
        const int high = hexValue(m_input[m_pos + 1]);
        const int low = hexValue(m_input[m_pos + 2]);
        if (high >= 0 && low >= 0) {
            token.kind = RtfTokenKind::HexByte;
            token.text = m_input.substr(m_pos - 1, 4);
            token.byte = static_cast<unsigned char>(high * 16 + low);
            m_pos += 3;
            return token;
        }
    }
    // "\" before a line end is a paragraph mark; report the line end as the symbol.
    token.kind = RtfTokenKind::ControlSymbol;
    token.text = m_input.substr(m_pos, 1);
    ++m_pos;
    return token;
}

RtfToken RtfTokenizer::text()
{
    const std::size_t start = m_pos;
    while (m_pos < m_input.size()) {
        const char c = m_input[m_pos];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n')
            break;
        ++m_pos;
    }
    return {RtfTokenKind::Text, m_input.substr(start, m_pos - start)};
}

} // namespace leapmark
