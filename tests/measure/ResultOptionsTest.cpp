#include "measure/ResultOptions.h"

#include "measure/OtherGridDialogue.h"
#include "support/GoldenFile.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::fileBytes;

class ResultOptions : public ::testing::Test
{
protected:
    ResultOptions()
    {
        form.Jump_no = " 3";
        form.distance = " 45.1m";
        form.distance_ft = " 148ft";
        form.Comment.clear();
    }

    testing::TempFolder folder;
    ResultsFile results{folder.file("results.txt")};
    FixedClock clock;
    testing::ScriptedPrompts prompts;
    MeasureForm form;
};

TEST_F(ResultOptions, RerideAndCommentLinesGoStraightToTheResults)
{
    form.option = ResultOption::MandatoryReride;
    ASSERT_TRUE(recordReride(form, RerideKind::Mandatory, PictureState::Live, results, clock, prompts).ok());
    EXPECT_EQ(form.option, ResultOption::None);
    EXPECT_EQ(form.Comment, "");
    EXPECT_EQ(form.distance, "");
    EXPECT_EQ(form.distance_ft, "");

    form.distance = " 45.1m";
    form.option = ResultOption::OptionalReride;
    ASSERT_TRUE(recordReride(form, RerideKind::Optional, PictureState::Frozen, results, clock, prompts).ok());
    // On a frozen picture the option stays; an optional reride keeps the distances.
    EXPECT_EQ(form.option, ResultOption::OptionalReride);
    EXPECT_EQ(form.distance, " 45.1m");

    form.option = ResultOption::Comment;
    prompts.answerInput("Wind gust at the ramp");
    ASSERT_TRUE(recordComment(form, results, clock, prompts).ok());
    EXPECT_EQ(form.option, ResultOption::None);
    EXPECT_EQ(form.Comment, "");
    // A cancelled comment box still writes the line, empty after the time.
    prompts.cancelInput();
    ASSERT_TRUE(recordComment(form, results, clock, prompts).ok());

    EXPECT_EQ(fileBytes(results.path()), testing::goldenFile("results-rerides-comments/results.txt"));
    EXPECT_EQ(prompts.prompts()[0].input,
              (InputRequest{"What comment would you like to add?", "Input Comment", {}, std::nullopt}));
}

TEST_F(ResultOptions, ARerideThatCannotBeWrittenIsReportedAndCanBeChosenAgain)
{
    const ResultsFile gone(folder.path() / "gone" / "results.txt");
    form.Comment = "Pass";
    form.option = ResultOption::OptionalReride;
    EXPECT_FALSE(recordReride(form, RerideKind::Optional, PictureState::Live, gone, clock, prompts).ok());
    EXPECT_THAT(prompts.last().text(), ::testing::HasSubstr((folder.path() / "gone").string()));
    EXPECT_EQ(prompts.last().message.icon, MessageIcon::Critical);
    EXPECT_EQ(form.Comment, "Pass");
    EXPECT_EQ(form.option, ResultOption::None);
    EXPECT_EQ(form.distance, " 45.1m");
}

TEST_F(ResultOptions, OptionWordsAndANewSkier)
{
    Pass_Click(form);
    EXPECT_EQ(form.Comment, "Pass");
    Fall_Click(form);
    EXPECT_EQ(form.Comment, "Fall");
    Other_Grid_Click(form);
    EXPECT_EQ(form.Comment, "Distance from other grid");

    skierNameChanged(form);
    EXPECT_EQ(form.Jump_no, "1");
    EXPECT_EQ(form.distance, "");
    EXPECT_EQ(form.distance_ft, "");
}

TEST_F(ResultOptions, TheScoringProgramsNameIsANewSkier)
{
    const ExchangeFolder exchange(folder.path());
    testing::writeBytes(folder.file("qxskier.nam"), "  \"Smith, John\",USA,M2\r\n");
    ASSERT_TRUE(fetchSkierName(form, exchange, prompts).ok());
    EXPECT_EQ(form.Skier_name, "Smith, John");
    EXPECT_EQ(form.Jump_no, "1");

    std::filesystem::remove(folder.file("qxskier.nam"));
    form.Jump_no = " 2";
    EXPECT_FALSE(fetchSkierName(form, exchange, prompts).ok());
    EXPECT_THAT(prompts.last().text(), ::testing::StartsWith("Error while reading WSTIMS name file: "));
    EXPECT_EQ(form.Skier_name, "Smith, John");
    EXPECT_EQ(form.Jump_no, " 2");
}

TEST(OtherGridEntries, AgreeWithinTwoFeetOfTheMetres)
{
    EXPECT_TRUE(otherGridEntriesAgree(40, 131));  // 131.232
    EXPECT_FALSE(otherGridEntriesAgree(40, 140)); // 8.8 ft out
    EXPECT_TRUE(otherGridEntriesAgree(40, 133.2));
    EXPECT_TRUE(otherGridEntriesAgree(40, 129.3));
    EXPECT_FALSE(otherGridEntriesAgree(40, 133.25));
    EXPECT_FALSE(otherGridEntriesAgree(40, 129.2));
    EXPECT_TRUE(otherGridEntriesAgree(0, 0)); // two cancelled boxes
}

} // namespace
} // namespace leapmark
