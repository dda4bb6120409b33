#include "shell/DialogFilter.h"

namespace leapmark {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lowerCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char upperCase(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string qtPattern(const std::string& pattern, PatternCase patternCase)
{
    if (pattern == "*.*")
        return "*";
    // A pattern that already uses character sets is left as its writer meant it.
    if (patternCase == PatternCase::AsWritten || pattern.find('[') != std::string::npos)
        return pattern;
    std::string either;
    for (const char c : pattern) {
        if (isAsciiLetter(c)) {
            either += '[';
            either += lowerCase(c);
            either += upperCase(c);
            either += ']';
        } else {
            either += c;
        }
    }
    return either;
}

} // namespace

std::vector<DialogFilterEntry> parseDialogFilter(std::string_view filter)
{
    std::vector<DialogFilterEntry> entries;
    if (filter.empty())
        return entries;
    std::vector<std::string_view> parts = split(filter, '|');
    if (!parts.empty() && parts.back().empty() && parts.size() % 2 == 1)
        parts.pop_back(); // the closing "|"
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        DialogFilterEntry entry;
        entry.description = std::string(parts[i]);
        for (const std::string_view pattern : split(parts[i + 1], ';')) {
            if (const auto clean = trimmed(pattern); !clean.empty())
                entry.patterns.emplace_back(clean);
        }
        if (entry.patterns.empty())
            entry.patterns.emplace_back("*");
        entries.push_back(std::move(entry));
    }
    return entries;
}

PatternCase platformPatternCase()
{
#if defined(_WIN32) || defined(__APPLE__)
    return PatternCase::AsWritten;
#else
    return PatternCase::EitherCase;
#endif
}

std::string qtNameFilter(const DialogFilterEntry& entry, PatternCase patternCase)
{
    std::string filter = entry.description + " (";
    for (std::size_t i = 0; i < entry.patterns.size(); ++i) {
        if (i > 0)
            filter += ' ';
        filter += qtPattern(entry.patterns[i], patternCase);
    }
    filter += ')';
    return filter;
}

std::vector<std::string> qtNameFilters(std::string_view filter, PatternCase patternCase)
{
    std::vector<std::string> filters;
    for (const DialogFilterEntry& entry : parseDialogFilter(filter))
        filters.push_back(qtNameFilter(entry, patternCase));
    return filters;
}

} // namespace leapmark
