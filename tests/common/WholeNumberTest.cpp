#include "common/WholeNumber.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace leapmark {
namespace {

TEST(WholeNumber, TypedNumbersBeyondTheTypeAreRefusedOrClampedNeverCast)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(wholeNumberWithin(2.5, 1, 100), 2);
    EXPECT_EQ(wholeNumberWithin(100.4, 1, 100), 100);
    EXPECT_EQ(wholeNumberWithin(1e10, 1, 100), std::nullopt);
    EXPECT_EQ(wholeNumberWithin(0.4, 1, 100), std::nullopt);
    EXPECT_EQ(wholeNumberWithin(nan, 1, 100), std::nullopt);
    EXPECT_EQ(wholeNumberWithin(-inf, 1, 100), std::nullopt);

    EXPECT_EQ(clampedWholeNumber(1e10, 0, std::numeric_limits<int>::max()), std::numeric_limits<int>::max());
    EXPECT_EQ(clampedWholeNumber(-1e10, std::numeric_limits<int>::min(), 0), std::numeric_limits<int>::min());
    EXPECT_EQ(clampedWholeNumber(nan, -5, 5), -5);
    EXPECT_EQ(clampedWholeNumber(3.5, -5, 5), 4);
    // The largest int64 is no double: 2^63 and beyond come back as the largest, not as a wrapped cast.
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(clampedWholeNumber<std::int64_t>(9.3e18, 0, most), most);
    EXPECT_EQ(clampedWholeNumber<std::int64_t>(inf, 0, most), most);
    EXPECT_EQ(wholeNumberWithin<std::int64_t>(9.3e18, 0, most), std::nullopt);
    EXPECT_EQ(clampedWholeNumber<std::int64_t>(4.0e18, 0, most), 4'000'000'000'000'000'000);
}

} // namespace
} // namespace leapmark
