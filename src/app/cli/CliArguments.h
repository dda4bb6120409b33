#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace leapmark::cli {

/** Exit codes of the command-line tool. */
enum ExitCode : int { Success = 0, DomainFailure = 1, WrongUsage = 2 };

/** The words after the command name, taken from the front. */
class CliArguments
{
public:
    explicit CliArguments(std::vector<std::string> words) : m_words(std::move(words)) {}

    [[nodiscard]] bool empty() const { return m_pos >= m_words.size(); }
    [[nodiscard]] std::size_t remaining() const { return m_words.size() - m_pos; }
    [[nodiscard]] std::optional<std::string> take();
    /** The next word as a number; nothing when it is missing or not wholly a number. */
    [[nodiscard]] std::optional<double> takeNumber();
    /** Removes "--name" wherever it stands; true when it was there. */
    [[nodiscard]] bool takeFlag(std::string_view name);
    /** Removes "--name VALUE" wherever it stands and gives VALUE; nothing when absent. */
    [[nodiscard]] std::optional<std::string> takeOption(std::string_view name);
    /** Removes "--name" and the count words after it; nothing when absent or too few follow. */
    [[nodiscard]] std::optional<std::vector<std::string>> takeOption(std::string_view name,
                                                                     std::size_t count);

private:
    std::vector<std::string> m_words;
    std::size_t m_pos = 0;
};

} // namespace leapmark::cli
