#include "grid/GridCheck.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using ::testing::ElementsAre;

/** Buoys spanning the given percentages of a 12000-twip picture. */
BuoyScreenXs spanning(double frontPercent, double backPercent)
{
    return {3000, 3000 + backPercent * 120, 1000, 1000 + frontPercent * 120};
}

TEST(GridCheck, TheThreeTextbookViews)
{
    const std::string text70 = "Front ratio is  70%  Back Ratio is  40%";
    auto lowBack = grid_check(12000, spanning(70, 40));
    ASSERT_TRUE(lowBack.ok());
    EXPECT_THAT(lowBack->advice, ElementsAre(text70 + "  Elevate camera until back is > 45%",
                                             text70 + "  Zoom camera in until back is > 45%",
                                             text70 + "  Zoom camera in until front is > 85%"));
    EXPECT_DOUBLE_EQ(lowBack->front_ratio, 70);
    EXPECT_DOUBLE_EQ(lowBack->back_ratio, 40);

    auto small = grid_check(12000, spanning(60, 40));
    ASSERT_TRUE(small.ok());
    EXPECT_THAT(small->advice,
                ElementsAre("Front ratio is  60%  Back Ratio is  40%  Zoom camera in until front is > 85%"));

    auto good = grid_check(12000, spanning(70, 50));
    ASSERT_TRUE(good.ok());
    EXPECT_THAT(good->advice, ElementsAre("Front ratio is  70%  Back Ratio is  50%"));
}

TEST(GridCheck, ComparisonsAreStrictAndRatiosAreWholePartsOfTheSpan)
{
    EXPECT_TRUE(grid_check(12000, spanning(65, 40))->advice.empty());
    EXPECT_TRUE(grid_check(12000, spanning(70, 45))->advice.empty());
    EXPECT_TRUE(grid_check(12000, spanning(50, 60))->advice.empty()); // small front, good back: nothing
    // Front of 85 % with a low back: no third box.
    EXPECT_EQ(grid_check(12000, spanning(85, 40))->advice.size(), 2u);
    // Buoys marked right to left span the same; 69.99 % is shown as 69.
    const auto mirrored = grid_check(12000, {3000 + 40 * 120, 3000, 1000 + 69.99 * 120, 1000});
    ASSERT_TRUE(mirrored.ok());
    EXPECT_THAT(mirrored->advice.front(), ::testing::StartsWith("Front ratio is  69%  Back Ratio is  40%"));
}

TEST(GridCheck, APictureWithoutAWidthIsRefusedNotDividedBy)
{
    const auto zero = grid_check(0, spanning(70, 50));
    ASSERT_FALSE(zero.ok());
    EXPECT_NE(zero.error().text().find("width"), std::string::npos);
    EXPECT_FALSE(grid_check(-12000, spanning(70, 50)).ok());
}

} // namespace
} // namespace leapmark
