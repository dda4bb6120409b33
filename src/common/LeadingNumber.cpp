#include "common/LeadingNumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace leapmark {
namespace {

bool isIgnored(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

/** The number's characters in from_chars syntax and how far into the compacted text it reached. */
struct Lexeme
{
    std::string text;
    std::size_t consumed = 0;
    long long exponent = 0;
    bool hasDigits = false;
};

Lexeme scanNumber(const std::string& s)
{
    Lexeme lex;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            lex.text += '-';
        ++i;
    }
    while (i < s.size() && isDigit(s[i])) {
        lex.text += s[i++];
        lex.hasDigits = true;
    }
    if (i < s.size() && s[i] == '.') {
        lex.text += s[i++];
        while (i < s.size() && isDigit(s[i])) {
            lex.text += s[i++];
            lex.hasDigits = true;
        }
    }
    if (!lex.hasDigits)
        return lex;

    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            negativeExponent = s[j++] == '-';
        if (j < s.size() && isDigit(s[j])) {
            std::string exponentDigits;
            while (j < s.size() && isDigit(s[j]))
                exponentDigits += s[j++];
            lex.text += 'e';
            if (negativeExponent)
                lex.text += '-';
            lex.text += exponentDigits;
            // Only the order of magnitude matters for the range decision below.
            lex.exponent = exponentDigits.size() > 9 ? 1'000'000'000LL : std::stoll(exponentDigits);
            if (negativeExponent)
                lex.exponent = -lex.exponent;
            i = j;
        }
    }
    lex.consumed = i;
    return lex;
}

/**
 * Numbers are written with 15 significant digits, so the largest double is written as
 * 1.79769313486232E+308, a little beyond it. That text, and any between it and the largest double,
 * reads as the largest double so that whatever was written reads back; anything larger is out of
 * range.
 */
std::optional<double> largestWritten(const Lexeme& lex)
{
    long double wide = 0.0L;
    const char* first = lex.text.data();
    const char* last = first + lex.text.size();
    const auto [ptr, ec] = std::from_chars(first, last, wide, std::chars_format::general);
    constexpr long double kLargestWritten = 1.79769313486232e308L;
    if (ec != std::errc() || ptr != last || std::fabs(wide) < 1.0L || std::fabs(wide) > kLargestWritten)
        return std::nullopt;
    return std::copysign(std::numeric_limits<double>::max(), static_cast<double>(wide));
}

std::optional<double> convert(const Lexeme& lex)
{
    double value = 0.0;
    const char* first = lex.text.data();
    const char* last = first + lex.text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc() && ptr == last && std::isfinite(value))
        return value + 0.0; // turns -0 into 0
    if (ec == std::errc::result_out_of_range && lex.exponent < 0)
        return 0.0; // underflow: nearer zero than any double
    if (ec == std::errc::result_out_of_range)
        return largestWritten(lex);
    return std::nullopt;
}

std::string compacted(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (const char c : text)
        if (!isIgnored(c))
            s += c;
    return s;
}

} // namespace

std::optional<double> tryLeadingNumber(std::string_view text)
{
    const Lexeme lex = scanNumber(compacted(text));
    if (!lex.hasDigits)
        return std::nullopt;
    return convert(lex);
}

double leadingNumber(std::string_view text)
{
    return tryLeadingNumber(text).value_or(0.0);
}

bool isWholeNumberText(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    const std::string s(text.substr(begin, end - begin));
    for (const char c : s)
        if (isIgnored(c))
            return false;
    const Lexeme lex = scanNumber(s);
    return lex.hasDigits && lex.consumed == s.size() && convert(lex).has_value();
}

} // namespace leapmark
