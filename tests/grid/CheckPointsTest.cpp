#include "grid/CheckPoints.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

/** survey = screen / 100 in both axes. */
const TransformCoefficients kScale{0, 0.01, 0, 0, 0, 0, 0, 0.01};

TEST(CheckPoints, ResidualsAreMetresBetweenTheSurveyPointAndTheClick)
{
    EXPECT_DOUBLE_EQ(*checkPointResidual(kScale, {30, 40}, {3000, 4000}), 0.0);
    EXPECT_NEAR(*checkPointResidual(kScale, {30, 40}, {3030, 4040}), 0.5, 1e-12);
    const std::vector<CheckPoint> points{{{30, 40}, PlanePoint{3030, 4040}},
                                         {{10, 10}, std::nullopt},
                                         {{50, 50}, PlanePoint{5000, 5120}},
                                         {{60, 60}, PlanePoint{6000, 6000}}};
    const CheckPointResiduals residuals = checkPointResiduals(kScale, points);
    ASSERT_EQ(residuals.residuals.size(), 4u);
    EXPECT_FALSE(residuals.residuals[1].has_value());
    EXPECT_NEAR(*residuals.residuals[2], 1.2, 1e-12);
    EXPECT_EQ(residuals.largest, 2u);
    EXPECT_EQ(residualText(1.2), "1.20 m");
    EXPECT_FALSE(checkPointResiduals(kScale, {{{1, 1}, std::nullopt}}).largest.has_value());
    // A click where the grid has no survey point gives no residual, not a crash.
    const TransformCoefficients singular{0, 1, 0, 1, 0, 0, 0, 1};
    EXPECT_FALSE(checkPointResiduals(singular, {{{1, 1}, PlanePoint{-1, 0}}}).residuals[0].has_value());
}

TEST(CheckPoints, TheSideFileKeepsTheClickedPointsBesideTheGridFile)
{
    testing::TempFolder folder;
    const std::filesystem::path grid = folder.path() / "north.ipt";
    EXPECT_EQ(checkPointsPathFor(grid), folder.path() / "north.ipt.check");
    EXPECT_TRUE(readCheckPointsOf(grid)->empty());

    const std::vector<CheckPoint> points{{{45.5, 11.25}, PlanePoint{9000, 4500}},
                                         {{12, 3}, std::nullopt},
                                         {{-0.5, 0}, PlanePoint{123.75, 2.5e-05}}};
    ASSERT_TRUE(writeCheckPointsOf(grid, points).ok());
    EXPECT_EQ(testing::fileBytes(checkPointsPathFor(grid)),
              " 45.5 , 11.25 , 9000 , 4500 \r\n-.5 , 0 , 123.75 , 2.5E-05 \r\n");
    const auto back = readCheckPointsOf(grid);
    ASSERT_TRUE(back.ok());
    EXPECT_THAT(*back, ::testing::ElementsAre(points[0], points[2]));

    // Nothing clicked: the side file goes.
    ASSERT_TRUE(writeCheckPointsOf(grid, {{{12, 3}, std::nullopt}}).ok());
    EXPECT_FALSE(std::filesystem::exists(checkPointsPathFor(grid)));
}

TEST(CheckPoints, ABadSideFileNamesItsLine)
{
    EXPECT_THAT(parseCheckPoints("a.check", " 1 , 2 , 3 , 4 \r\n 1 , 2 , 3 \r\n").error().text(),
                ::testing::StartsWith("a.check, line 2: a check point needs four numbers"));
    EXPECT_THAT(parseCheckPoints("a.check", " 1 , 2 , x , 4 \r\n").error().text(),
                ::testing::StartsWith("a.check, line 1: \" x \" is not a number"));
    std::string seven;
    for (int i = 0; i < 7; ++i)
        seven += " 1 , 2 , 3 , 4 \r\n";
    EXPECT_THAT(parseCheckPoints("a.check", seven).error().text(), ::testing::HasSubstr("line 7"));
    EXPECT_EQ(parseCheckPoints("a.check", "\r\n 1 , 2 , 3 , 4\n\n")->size(), 1u);
}

} // namespace
} // namespace leapmark
