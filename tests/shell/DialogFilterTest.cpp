#include "shell/DialogFilter.h"

#include <gtest/gtest.h>

#include <regex>

namespace leapmark {
namespace {

const char* const kParameterFilter =
    "All Files (*.*)|*.*|Text Files (*.TXT)|*.TXT|Parameter Files (*.IPT)|*.IPT|";

TEST(DialogFilter, SplitsDescriptionAndPatternPairs)
{
    const std::vector<DialogFilterEntry> expected = {
        {"All Files (*.*)", {"*.*"}},
        {"Text Files (*.TXT)", {"*.TXT"}},
        {"Parameter Files (*.IPT)", {"*.IPT"}},
    };
    EXPECT_EQ(parseDialogFilter(kParameterFilter), expected);
    // The closing "|" is optional; several patterns are separated by ";".
    EXPECT_EQ(parseDialogFilter("All Supported Types|*.bmp; *.jpg;*.pic"),
              (std::vector<DialogFilterEntry>{{"All Supported Types", {"*.bmp", "*.jpg", "*.pic"}}}));
    EXPECT_EQ(parseDialogFilter("*.txt|JumpMeasurementLog*.txt"),
              (std::vector<DialogFilterEntry>{{"*.txt", {"JumpMeasurementLog*.txt"}}}));
}

TEST(DialogFilter, IncompleteOrEmptyFiltersGiveWhatIsComplete)
{
    EXPECT_TRUE(parseDialogFilter("").empty());
    EXPECT_TRUE(parseDialogFilter("Lonely description").empty());
    EXPECT_EQ(parseDialogFilter("Text|*.txt|Lonely"), (std::vector<DialogFilterEntry>{{"Text", {"*.txt"}}}));
    EXPECT_EQ(parseDialogFilter("Anything||"), (std::vector<DialogFilterEntry>{{"Anything", {"*"}}}));
}

TEST(DialogFilter, QtFiltersKeepTheDescriptionAndMatchEitherCaseWhereNamesAreCaseSensitive)
{
    EXPECT_EQ(qtNameFilters(kParameterFilter, PatternCase::EitherCase),
              (std::vector<std::string>{"All Files (*.*) (*)", "Text Files (*.TXT) (*.[tT][xX][tT])",
                                        "Parameter Files (*.IPT) (*.[iI][pP][tT])"}));
    EXPECT_EQ(qtNameFilters(kParameterFilter, PatternCase::AsWritten),
              (std::vector<std::string>{"All Files (*.*) (*)", "Text Files (*.TXT) (*.TXT)",
                                        "Parameter Files (*.IPT) (*.IPT)"}));
    EXPECT_EQ(qtNameFilters("All Supported Types|*.bmp;*.jpg|", PatternCase::AsWritten),
              (std::vector<std::string>{"All Supported Types (*.bmp *.jpg)"}));
    EXPECT_EQ(qtNameFilters("Sets|*.[ab]|", PatternCase::EitherCase),
              (std::vector<std::string>{"Sets (*.[ab])"}));
}

TEST(DialogFilter, EitherCasePatternsFindLowerAndUpperCaseNames)
{
    // The same wildcard rules a file dialog applies, written as a regular expression.
    const auto matches = [](const std::string& qtFilter, const std::string& name) {
        const auto open = qtFilter.rfind('(');
        std::string pattern = qtFilter.substr(open + 1, qtFilter.size() - open - 2);
        std::string expression;
        for (const char c : pattern)
            expression += c == '*' ? std::string(".*") : c == '.' ? std::string("\\.") : std::string(1, c);
        return std::regex_match(name, std::regex(expression));
    };
    const std::string parameterFiles = qtNameFilters(kParameterFilter, PatternCase::EitherCase)[2];
    EXPECT_TRUE(matches(parameterFiles, "grid.ipt"));
    EXPECT_TRUE(matches(parameterFiles, "GRID.IPT"));
    EXPECT_TRUE(matches(parameterFiles, "Grid.Ipt"));
    EXPECT_FALSE(matches(parameterFiles, "grid.txt"));
    EXPECT_TRUE(matches(qtNameFilters(kParameterFilter, PatternCase::EitherCase)[0], "README"));
}

} // namespace
} // namespace leapmark
