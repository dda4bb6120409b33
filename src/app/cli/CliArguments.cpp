#include "app/cli/CliArguments.h"

#include "common/LeadingNumber.h"

#include <algorithm>

namespace leapmark::cli {

std::optional<std::string> CliArguments::take()
{
    if (empty())
        return std::nullopt;
    return m_words[m_pos++];
}

std::optional<double> CliArguments::takeNumber()
{
    auto word = take();
    if (!word || !isWholeNumberText(*word))
        return std::nullopt;
    return leadingNumber(*word);
}

bool CliArguments::takeFlag(std::string_view name)
{
    const auto found = std::find(m_words.begin() + static_cast<std::ptrdiff_t>(m_pos), m_words.end(), name);
    if (found == m_words.end())
        return false;
    m_words.erase(found);
    return true;
}

std::optional<std::string> CliArguments::takeOption(std::string_view name)
{
    auto values = takeOption(name, 1);
    if (!values)
        return std::nullopt;
    return values->front();
}

std::optional<std::vector<std::string>> CliArguments::takeOption(std::string_view name, std::size_t count)
{
    const auto found = std::find(m_words.begin() + static_cast<std::ptrdiff_t>(m_pos), m_words.end(), name);
    if (found == m_words.end())
        return std::nullopt;
    const auto index = static_cast<std::size_t>(found - m_words.begin());
    if (m_words.size() - index - 1 < count)
        return std::nullopt;
    std::vector<std::string> values(found + 1, found + 1 + static_cast<std::ptrdiff_t>(count));
    m_words.erase(found, found + 1 + static_cast<std::ptrdiff_t>(count));
    return values;
}

} // namespace leapmark::cli
