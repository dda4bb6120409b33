#include "common/DateTimeText.h"
#include "common/Rounding.h"

#include <cmath>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

TEST(RoundToPlaces, HalvesGoUpNegativesIncluded)
{
    EXPECT_EQ(roundToPlaces(45.149, 1), 45.1);
    EXPECT_EQ(roundToPlaces(45.15, 1), 45.2);
    EXPECT_EQ(roundToPlaces(-1.2345, 3), -1.234);
    EXPECT_EQ(roundToPlaces(-0.0004, 3), 0.0);
    EXPECT_FALSE(std::signbit(roundToPlaces(-0.0004, 3)));
    EXPECT_EQ(roundToPlaces(147.5, 0), 148.0);
    EXPECT_EQ(roundToPlaces(-2.5, 0), -2.0);
    EXPECT_EQ(roundToPlaces(45.12345, 4), 45.1235);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(29.97), 30.0);
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
}

TEST(DateTimeText, FixedWidthFields)
{
    const LocalDateTime moment{2026, 12, 7, 15, 53, 4};
    EXPECT_EQ(dateText(moment), "12-07-2026");
    EXPECT_EQ(timeText(moment), "15:53:04");
    EXPECT_EQ(fileDateStamp(moment), "120726");

    const LocalDateTime early{2031, 1, 9, 0, 0, 0};
    EXPECT_EQ(dateText(early), "01-09-2031");
    EXPECT_EQ(timeText(early), "00:00:00");
    EXPECT_EQ(fileDateStamp(early), "010931");
}

TEST(Clock, FixedClockShowsWhatItWasSetTo)
{
    FixedClock clock;
    clock.set(2027, 3, 14, 9, 26, 53);
    EXPECT_EQ(clock.now(), (LocalDateTime{2027, 3, 14, 9, 26, 53}));
    const LocalDateTime system = SystemClock().now();
    EXPECT_GE(system.year, 2024);
    EXPECT_TRUE(system.month >= 1 && system.month <= 12);
}

} // namespace
} // namespace leapmark
