#include "common/NumberText.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

struct Forms
{
    double value;
    const char* signedText;
    const char* plainText;
};

void PrintTo(const Forms& f, std::ostream* os)
{
    *os << f.signedText;
}

class NumberForms : public ::testing::TestWithParam<Forms>
{};

TEST_P(NumberForms, SignedPlainAndPrintAgree)
{
    const Forms f = GetParam();
    EXPECT_EQ(signedForm(f.value), f.signedText);
    EXPECT_EQ(plainForm(f.value), f.plainText);
    EXPECT_EQ(printForm(f.value), std::string(f.signedText) + " ");
}

INSTANTIATE_TEST_SUITE_P(AcrossZeroAndSign, NumberForms,
                         ::testing::Values(Forms{0.0, " 0", "0"}, Forms{-0.0, " 0", "0"},
                                           Forms{45.1, " 45.1", "45.1"}, Forms{148.0, " 148", "148"},
                                           Forms{0.25, " .25", "0.25"}, Forms{-0.5, "-.5", "-0.5"},
                                           Forms{-3.5, "-3.5", "-3.5"}, Forms{5025.0, " 5025", "5025"},
                                           Forms{-1.234, "-1.234", "-1.234"}, Forms{100.0, " 100", "100"},
                                           Forms{1e14, " 100000000000000", "100000000000000"}));

INSTANTIATE_TEST_SUITE_P(
    FifteenSignificantDigits, NumberForms,
    ::testing::Values(Forms{1.0 / 3.0, " .333333333333333", "0.333333333333333"},
                      Forms{2.0 / 3.0, " .666666666666667", "0.666666666666667"},
                      Forms{123456789.123456789, " 123456789.123457", "123456789.123457"},
                      Forms{0.1 + 0.2, " .3", "0.3"}, Forms{45.149999999999999, " 45.15", "45.15"},
                      Forms{999999999999999.4, " 999999999999999", "999999999999999"},
                      Forms{-2.5e-1, "-.25", "-0.25"}));

INSTANTIATE_TEST_SUITE_P(
    ExponentNotationBeyondTheBounds, NumberForms,
    ::testing::Values(Forms{0.0001, " .0001", "0.0001"}, Forms{0.00012345, " .00012345", "0.00012345"},
                      Forms{0.000015, " 1.5E-05", "1.5E-05"},
                      Forms{-0.0000123456789012345, "-1.23456789012345E-05", "-1.23456789012345E-05"},
                      Forms{1e15, " 1E+15", "1E+15"},
                      Forms{123456789012345678.0, " 1.23456789012346E+17", "1.23456789012346E+17"},
                      Forms{999999999999999.9, " 1E+15", "1E+15"}, Forms{1e-300, " 1E-300", "1E-300"},
                      Forms{-2.5e100, "-2.5E+100", "-2.5E+100"}));

} // namespace
} // namespace leapmark
