#include "grid/CalibrationLine.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

/** A grid on which a twip is a metre: survey = screen. */
GridState identityGrid()
{
    GridState grid;
    grid.active_coef = {0, 1, 0, 0, 0, 0, 0, 1};
    return grid;
}

TEST(CalibrationLine, SurveyInputGivesWholeTwipsHalfUp)
{
    GridState grid = identityGrid();
    auto converted = convertCalibrationEnd(grid, {"12.5", "12.49", "", ""}, CalibrationInput::Survey);
    ASSERT_TRUE(converted.ok());
    EXPECT_EQ(converted->screenX, "13");
    EXPECT_EQ(converted->screenY, "12");
    converted = convertCalibrationEnd(grid, {"-12.5", "junk", "", ""}, CalibrationInput::Survey);
    ASSERT_TRUE(converted.ok());
    EXPECT_EQ(converted->screenX, "-12");
    EXPECT_EQ(converted->screenY, "0") << "a box without a number reads as 0";
    EXPECT_EQ(converted->surveyX, "-12.5") << "the typed column stays as typed";
}

TEST(CalibrationLine, ScreenInputGivesMetresToTwoDecimalsAndTheLineComesFromTheScreenBoxes)
{
    GridState grid = identityGrid();
    auto from = convertCalibrationEnd(grid, {"", "", "12.345", "67.891"}, CalibrationInput::Screen);
    ASSERT_TRUE(from.ok());
    EXPECT_EQ(from->surveyX, "12.35");
    EXPECT_EQ(from->surveyY, "67.89");
    EXPECT_EQ(calibrationLineOf(*from, {"", "", "300", "-40"}), (CalibrationLine{12.345, 67.891, 300, -40}));
}

TEST(CalibrationLine, AFailingTransformChangesNoBox)
{
    GridState grid; // all coefficients 0: the inverse divides by zero
    EXPECT_FALSE(convertCalibrationEnd(grid, {"1", "2", "3", "4"}, CalibrationInput::Survey).ok());
}

} // namespace
} // namespace leapmark
