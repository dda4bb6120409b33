#include "common/LeadingNumber.h"
#include "common/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace leapmark {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndStopsAtTheFirstStranger)
{
    EXPECT_EQ(leadingNumber(" 45.1"), 45.1);
    EXPECT_EQ(leadingNumber("45.1m"), 45.1);
    EXPECT_EQ(leadingNumber(" 148ft"), 148.0);
    EXPECT_EQ(leadingNumber("-3.25 "), -3.25);
    EXPECT_EQ(leadingNumber("+7"), 7.0);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("5."), 5.0);
    EXPECT_EQ(leadingNumber("1,000"), 1.0);
    EXPECT_EQ(leadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(leadingNumber("007"), 7.0);
}

TEST(LeadingNumber, IgnoresBlanksTabsAndLineFeedsAnywhere)
{
    EXPECT_EQ(leadingNumber("  1 2\t3\n4"), 1234.0);
    EXPECT_EQ(leadingNumber("- 3 . 5"), -3.5);
    EXPECT_EQ(leadingNumber("\t\n 9"), 9.0);
    // A carriage return is not ignored: it ends the number.
    EXPECT_EQ(leadingNumber("12\r34"), 12.0);
}

TEST(LeadingNumber, AcceptsExponentsOnlyWhenDigitsFollow)
{
    EXPECT_EQ(leadingNumber("1.5E-05"), 1.5e-05);
    EXPECT_EQ(leadingNumber("1.23456789012346E+17"), 1.23456789012346e17);
    EXPECT_EQ(leadingNumber("2e3"), 2000.0);
    EXPECT_EQ(leadingNumber("2D3"), 2000.0);
    EXPECT_EQ(leadingNumber("2e"), 2.0);
    EXPECT_EQ(leadingNumber("2e+"), 2.0);
    EXPECT_EQ(leadingNumber("2ex"), 2.0);
}

TEST(LeadingNumber, NoLeadingNumberGivesZero)
{
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber("."), 0.0);
    EXPECT_EQ(leadingNumber("-"), 0.0);
    EXPECT_EQ(leadingNumber("x12"), 0.0);
    EXPECT_EQ(leadingNumber("inf"), 0.0);
    EXPECT_EQ(leadingNumber("nan"), 0.0);
    EXPECT_FALSE(tryLeadingNumber("No File").has_value());
}

TEST(LeadingNumber, OutOfRangeMagnitudes)
{
    EXPECT_FALSE(tryLeadingNumber("1e400").has_value());
    EXPECT_EQ(leadingNumber("1e400"), 0.0);
    EXPECT_EQ(leadingNumber("1e-400"), 0.0);
    EXPECT_EQ(leadingNumber("-0"), 0.0);
    EXPECT_FALSE(std::signbit(leadingNumber("-0")));
}

TEST(LeadingNumber, TheLargestNumberReadsBackFromItsFifteenDigitText)
{
    constexpr double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(tryLeadingNumber(printForm(largest)), largest);
    EXPECT_EQ(tryLeadingNumber(signedForm(-largest)), -largest);
    EXPECT_TRUE(isWholeNumberText(" 1.79769313486232E+308 "));
    EXPECT_FALSE(tryLeadingNumber("1.79769313486233E+308").has_value());
    EXPECT_FALSE(tryLeadingNumber("-1.8E+308").has_value());
}

TEST(WholeNumberText, AcceptsOneNumberWithBlanksAroundIt)
{
    EXPECT_TRUE(isWholeNumberText(" 5025 "));
    EXPECT_TRUE(isWholeNumberText("-1.23456789012345E-05"));
    EXPECT_TRUE(isWholeNumberText("007"));
    EXPECT_FALSE(isWholeNumberText(""));
    EXPECT_FALSE(isWholeNumberText("12abc"));
    EXPECT_FALSE(isWholeNumberText("1 2"));
    EXPECT_FALSE(isWholeNumberText("Smith"));
    EXPECT_FALSE(isWholeNumberText("1e999"));
}

} // namespace
} // namespace leapmark
