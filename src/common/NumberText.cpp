#include "common/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace leapmark {
namespace {

constexpr int kSignificantDigits = 15;
constexpr int kFirstPositionalExponent = -4; // 0.0001 is still written ".0001"
constexpr int kFirstExponentNotation = 15;   // 1E+15 has more digits than can be shown

/** |value| as its significant digits (no trailing zeros) and the decimal exponent of the first one. */
struct DecimalDigits
{
    std::string digits;
    int exponent = 0;
};

DecimalDigits decimalDigits(double magnitude)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
    const std::string_view text(buffer);
    const auto ePos = text.find('e');

    DecimalDigits result;
    for (const char c : text.substr(0, ePos))
        if (c != '.')
            result.digits.push_back(c);
    while (result.digits.size() > 1 && result.digits.back() == '0')
        result.digits.pop_back();
    result.exponent = std::atoi(buffer + ePos + 1);
    return result;
}

std::string exponentText(const DecimalDigits& d)
{
    std::string text(1, d.digits.front());
    if (d.digits.size() > 1) {
        text += '.';
        text.append(d.digits, 1);
    }
    text += 'E';
    text += d.exponent < 0 ? '-' : '+';
    const int absExponent = std::abs(d.exponent);
    if (absExponent < 10)
        text += '0';
    text += std::to_string(absExponent);
    return text;
}

/** Positional digits of a magnitude; below 1 there is no zero before the point. */
std::string positionalText(const DecimalDigits& d)
{
    if (d.exponent < 0)
        return "." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;

    const auto integerDigits = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= integerDigits)
        return d.digits + std::string(integerDigits - d.digits.size(), '0');
    return d.digits.substr(0, integerDigits) + "." + d.digits.substr(integerDigits);
}

struct MagnitudeText
{
    bool negative = false;
    bool belowOne = false;
    bool exponentNotation = false;
    std::string text;
};

MagnitudeText magnitudeText(double value)
{
    MagnitudeText result;
    if (std::isnan(value)) {
        result.text = "NaN";
        return result;
    }
    result.negative = std::signbit(value) && value != 0.0;
    if (std::isinf(value)) {
        result.text = "Infinity";
        return result;
    }
    if (value == 0.0) {
        result.text = "0";
        return result;
    }
    const DecimalDigits d = decimalDigits(std::fabs(value));
    result.exponentNotation = d.exponent < kFirstPositionalExponent || d.exponent >= kFirstExponentNotation;
    result.belowOne = d.exponent < 0;
    result.text = result.exponentNotation ? exponentText(d) : positionalText(d);
    return result;
}

} // namespace

std::string signedForm(double value)
{
    const MagnitudeText m = magnitudeText(value);
    return (m.negative ? "-" : " ") + m.text;
}

std::string plainForm(double value)
{
    const MagnitudeText m = magnitudeText(value);
    std::string text = m.negative ? "-" : "";
    if (m.belowOne && !m.exponentNotation)
        text += '0';
    return text + m.text;
}

std::string printForm(double value)
{
    return signedForm(value) + " ";
}

} // namespace leapmark
