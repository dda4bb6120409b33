#include "measure/MeasuredJump.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

TEST(MeasuredJump, OfficialFiguresAndTheirTexts)
{
    const auto figures = measuredJumpFigures(45.149, BarefootTournament::No);
    EXPECT_DOUBLE_EQ(figures.officialMetres, 45.1);
    EXPECT_DOUBLE_EQ(figures.officialFeet, 148.0);
    EXPECT_EQ(figures.metresText, " 45.1m");
    EXPECT_EQ(figures.feetText, " 148ft");
    EXPECT_EQ(figures.exchangeMetresText, " 45.1");
    EXPECT_EQ(figures.exchangeFeetText, " 148");
    EXPECT_EQ(figures.raw_distance_text, " 45.149");
}

TEST(MeasuredJump, HalvesRoundUp)
{
    // 44.958 / 0.3048 is exactly 147.5.
    ASSERT_EQ(44.958 / 0.3048, 147.5);
    EXPECT_EQ(measuredJumpFigures(44.958, BarefootTournament::No).feetText, " 148ft");
    EXPECT_EQ(measuredJumpFigures(44.95, BarefootTournament::No).metresText, " 45m");
    EXPECT_EQ(measuredJumpFigures(30.00005, BarefootTournament::No).raw_distance_text, " 30.0001");
    EXPECT_EQ(measuredJumpFigures(30.00004, BarefootTournament::No).raw_distance_text, " 30");
}

TEST(MeasuredJump, FeetComeFromTheDistanceNotFromTheRoundedMetres)
{
    // 44.955 m is 147.49 ft, while the official 45.0 m would be 147.64 ft.
    const auto whole = measuredJumpFigures(44.955, BarefootTournament::No);
    EXPECT_EQ(whole.metresText, " 45m");
    EXPECT_EQ(whole.feetText, " 147ft");

    // 44.96 m is 147.507 ft, while 45.0 m would be 147.638 ft.
    const auto tenths = measuredJumpFigures(44.96, BarefootTournament::Yes);
    EXPECT_EQ(tenths.metresText, " 45m");
    EXPECT_EQ(tenths.feetText, " 147.5ft");
    EXPECT_EQ(tenths.exchangeFeetText, " 147.5");
}

TEST(MeasuredJump, BarefootFeetGoToTheTenth)
{
    const auto figures = measuredJumpFigures(20.0, BarefootTournament::Yes);
    EXPECT_EQ(figures.metresText, " 20m");
    EXPECT_EQ(figures.feetText, " 65.6ft");
    EXPECT_EQ(figures.raw_distance_text, " 20");
}

} // namespace
} // namespace leapmark
