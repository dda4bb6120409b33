#include "measure/GridChoice.h"
#include "measure/JumpNumber.h"
#include "measure/LogViewing.h"
#include "measure/MeasureForm.h"

#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

TEST(MeasureRules, ClearTwiceFromJumpOne)
{
    MeasureForm form;
    form.Jump_no = "1";
    form.option = ResultOption::None;
    form.Comment = "Fall";
    clearForNextJump(form);
    EXPECT_EQ(form.Jump_no, " 2");
    EXPECT_EQ(form.distance, "m");
    EXPECT_EQ(form.distance_ft, "ft");
    EXPECT_EQ(form.option, ResultOption::JumpOK);
    EXPECT_EQ(form.Comment, "");
    clearForNextJump(form);
    EXPECT_EQ(form.Jump_no, " 3");

    EXPECT_EQ(nextJumpNumberText("Jump"), " 1");
    EXPECT_EQ(nextJumpNumberText(" 9 "), " 10");
}

TEST(MeasureRules, GridButtonCyclesThroughTheGridsInUse)
{
    EXPECT_EQ(nextGridChoice("&Grid 1", 2), (GridChoice{"&Grid 2", 2}));
    EXPECT_EQ(nextGridChoice("&Grid 2", 2), (GridChoice{"&Grid 1", 1}));
    EXPECT_EQ(nextGridChoice("&Grid 2", 3), (GridChoice{"&Grid 3", 3}));
    EXPECT_EQ(nextGridChoice("&Grid 3", 3), (GridChoice{"&Grid 1", 1}));
    // Never onto a grid the tournament does not use.
    EXPECT_EQ(nextGridChoice("&Grid 1", 1), (GridChoice{"&Grid 1", 1}));
    EXPECT_EQ(nextGridChoice("Grid 7", 3), (GridChoice{"&Grid 1", 1}));
}

TEST(MeasureRules, ViewersCutTheFileAfterItsLabel)
{
    EXPECT_EQ(selectedEntryFile("12-07-202615:53:04Skier: AnnJump: 2Contact Frame:  90File: /v/Annjump2.avi"),
              "/v/Annjump2.avi");
    EXPECT_EQ(selectedEntryFile("no label here avi"), "");
    EXPECT_EQ(selectedEntryFile("File:"), "");
}

TEST(MeasureRules, ResultsWindowReadsTheWholeFileIgnoringLeadingBlanks)
{
    testing::TempFolder folder;
    testing::writeBytes(folder.file("results.txt"), "line one\r\nline two\r\n");
    auto text = readResultsText("  " + folder.file("results.txt").string(), folder.path());
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(*text, "line one\r\nline two\r\n");
    EXPECT_EQ(*readResultsText("results.txt", folder.path()), "line one\r\nline two\r\n");

    auto missing = readResultsText(folder.file("gone.txt").string(), folder.path());
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().text().find("gone.txt"), std::string::npos);
}

} // namespace
} // namespace leapmark
