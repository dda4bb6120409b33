#include "settings/SettingsText.h"

#include "common/LeadingNumber.h"
#include "common/NumberText.h"

#include <cmath>
#include <limits>

namespace leapmark {
namespace {

char foldedChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view trimmedBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

std::string integerText(long long value)
{
    return std::to_string(value);
}

std::string numberText(double value)
{
    // The plain form keeps 15 significant digits, so a value such as 0.1 + 0.2 is written "0.3"
    // rather than every digit of its binary approximation.
    return plainForm(value);
}

std::string flagText(bool value)
{
    return value ? "True" : "False";
}

std::optional<double> parseNumberText(std::string_view text)
{
    if (!isWholeNumberText(text))
        return std::nullopt;
    const auto value = tryLeadingNumber(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<int> parseIntegerText(std::string_view text)
{
    const auto value = parseNumberText(text);
    if (!value || std::trunc(*value) != *value)
        return std::nullopt;
    if (*value < static_cast<double>(std::numeric_limits<int>::min()) ||
        *value > static_cast<double>(std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<bool> parseFlagText(std::string_view text)
{
    const std::string_view word = trimmedBlanks(text);
    if (sameSettingKey(word, "True"))
        return true;
    if (sameSettingKey(word, "False"))
        return false;
    if (const auto number = parseNumberText(word))
        return *number != 0.0;
    return std::nullopt;
}

bool sameSettingKey(std::string_view first, std::string_view second)
{
    if (first.size() != second.size())
        return false;
    for (std::size_t i = 0; i < first.size(); ++i)
        if (foldedChar(first[i]) != foldedChar(second[i]))
            return false;
    return true;
}

std::string foldedSettingKey(std::string_view key)
{
    std::string folded(key);
    for (char& c : folded)
        c = foldedChar(c);
    return folded;
}

} // namespace leapmark
