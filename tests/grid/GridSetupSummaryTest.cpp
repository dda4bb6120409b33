#include "grid/GridSetupSummary.h"

#include "grid/GridFile.h"

#include "support/GoldenFile.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::goldenFile;

TEST(GridSetupSummary, TwipsFormAfterAGridFileLoad)
{
    GridState state;
    ASSERT_TRUE(
        loadGridFile(state, 1, std::string(LEAPMARK_TEST_DATA_DIR) + "/grid-file-numbers/grid.ipt").ok());
    GridSetupBoxTexts boxes = boxTextsOfWorkingSet(state);
    EXPECT_EQ(boxes.ipt_file_description_2, "North shore camera - site A");
    boxes.ipt_file_description = "C:\\QX05\\Grids\\north, site A.ipt"; // where the file was on the station

    EXPECT_EQ(
        gridSetupSummary({2026, 12, 7, 15, 53, 4}, state.current_grid, boxes, SummaryPositionLabel::Twips),
        goldenFile("grid-summary-twips/results.txt"));
}

TEST(GridSetupSummary, PixelsFormWritesTheBoxesAsTheyStand)
{
    // After a refused solve: some boxes still hold their placeholders, survey boxes as typed.
    GridSetupBoxTexts boxes;
    boxes.ipt_file_description = "No File";
    boxes.upper_left_x = " 2700";
    boxes.upper_left_y = " 1650";
    boxes.lower_left_x = " 1200";
    boxes.lower_left_y = " 5700";
    boxes.upper_right_x = " 7200";
    boxes.upper_right_y = " 1800";
    boxes.lower_right_x = boxes.lower_right_y = "auto";
    boxes.ul_survey_x = "30.5";
    boxes.ul_survey_y = "0";
    boxes.ll_survey_x = "31.25";
    boxes.ll_survey_y = "-7.75";
    boxes.ur_survey_x = "60";
    boxes.ur_survey_y = "8";
    boxes.lr_survey_x = boxes.lr_survey_y = "input";
    boxes.jump_x = "jump x";
    boxes.jump_y = "jump y";

    EXPECT_EQ(gridSetupSummary({2027, 1, 5, 8, 4, 9}, 2, boxes, SummaryPositionLabel::Pixels),
              goldenFile("grid-summary-pixels/results.txt"));
}

} // namespace
} // namespace leapmark
