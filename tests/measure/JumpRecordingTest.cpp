#include "measure/JumpRecording.h"

#include "RecordingFixture.h"
#include "support/GoldenFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using ::testing::ElementsAre;
using testing::fileBytes;

class Recording : public ::testing::Test, protected testing::RecordingFixture
{
protected:
    std::string results() { return fileBytes(resultsPath()); }
    std::string exchangeFile(const char* name) { return fileBytes(exchangeDir() / name); }
};

TEST_F(Recording, MeasuredJumpWritesItsLineAndTheScoringFiles)
{
    testing::writeBytes(exchangeDir() / "snapshot.bmp", "BM");
    clickAt(4304.9, 1500.2);
    grid.ramp_y = 15.002;

    ASSERT_EQ(record(), RecordingOutcome::Recorded);

    EXPECT_EQ(results(), testing::goldenFile("recording-measured-jump/results.txt"));
    EXPECT_EQ(exchangeFile("qxresult.dst"), testing::goldenFile("recording-measured-jump/qxresult.dst"));
    EXPECT_EQ(exchangeFile("qxraw.dst"), testing::goldenFile("recording-measured-jump/qxraw.dst"));
    EXPECT_EQ(form.distance, " 45.1m");
    EXPECT_EQ(form.distance_ft, " 148ft");
    // A measured jump keeps its number until "Clear".
    EXPECT_EQ(form.Jump_no, "1");
    EXPECT_FALSE(form.commentVisible);
    EXPECT_EQ(form.option, ResultOption::JumpOK);
    EXPECT_EQ(values.raw_distance_text, " 45.149");
    EXPECT_DOUBLE_EQ(grid.screen_x, 4304.9);
    EXPECT_DOUBLE_EQ(grid.survey_y, 15.002);
    EXPECT_EQ(current_folder, places.app_dir);
    EXPECT_FALSE(std::filesystem::exists(exchangeDir() / "snapshot.bmp"));
    EXPECT_EQ(prompts.count(), 0u);
}

TEST_F(Recording, WithoutWstimsNoExchangeFileIsTouched)
{
    places.wstims = false;
    clickAt(4304.9);
    ASSERT_EQ(record(), RecordingOutcome::Recorded);
    EXPECT_FALSE(std::filesystem::exists(exchangeDir() / "qxresult.dst"));
    EXPECT_FALSE(std::filesystem::exists(exchangeDir() / "qxraw.dst"));
}

TEST_F(Recording, TournamentKindsChangeTheAllowanceAndTheFeet)
{
    clickAt(4304.9);
    grid.sit_ski = true;
    ASSERT_EQ(record(), RecordingOutcome::Recorded);
    EXPECT_EQ(form.distance, " 44.9m");
    EXPECT_EQ(values.raw_distance_text, " 44.949");

    grid.sit_ski = false;
    grid.barefoot = true;
    form.feetPrecision = FeetPrecision::Tenths;
    ASSERT_EQ(record(), RecordingOutcome::Recorded);
    EXPECT_EQ(form.distance, " 43m");
    EXPECT_EQ(form.distance_ft, " 141.2ft");
    EXPECT_THAT(results(), ::testing::HasSubstr(" 43m  (IWSF) 141.2ft  (AWSA) BAREFOOT  ("));
}

TEST_F(Recording, VerifyModeMarksTheLineUnofficial)
{
    form.verify = VerifyMode::On;
    clickAt(4304.9);
    ASSERT_EQ(record(), RecordingOutcome::Recorded);
    EXPECT_THAT(results(), ::testing::HasSubstr("(AWSA) UNOFFICIAL JUMP - verify mode  ( 43.049/ 0)"));
    EXPECT_EQ(exchangeFile("qxresult.dst"), "OK,  45.1,  148, 1\r\n");
}

TEST_F(Recording, PassRightAfterStartUpCarriesTheZeroTail)
{
    form.Skier_name = "Smith";
    form.option = ResultOption::Pass;
    form.Comment = "Pass";
    ASSERT_EQ(record(), RecordingOutcome::Recorded);

    EXPECT_EQ(results(), testing::goldenFile("pass-right-after-start/results.txt"));
    EXPECT_EQ(exchangeFile("qxresult.dst"), testing::goldenFile("pass-right-after-start/qxresult.dst"));
    EXPECT_EQ(exchangeFile("qxraw.dst"), testing::goldenFile("pass-right-after-start/qxraw.dst"));
    EXPECT_EQ(form.Jump_no, " 2");
    EXPECT_EQ(form.option, ResultOption::None);
    EXPECT_EQ(form.distance, "");
}

TEST_F(Recording, PassOnALivePictureAdvancesOnAFrozenOneItStays)
{
    form.Jump_no = "3";
    form.option = ResultOption::Pass;
    form.Comment = "Pass";
    ASSERT_EQ(record(), RecordingOutcome::Recorded);
    EXPECT_EQ(form.Jump_no, " 4");
    EXPECT_EQ(form.option, ResultOption::None);
    EXPECT_EQ(exchangeFile("qxresult.dst"), "Pass, 0, 0,3\r\n");

    values.picture_frozen = true;
    form.option = ResultOption::Fall;
    form.Comment = "Fall";
    ASSERT_EQ(record(), RecordingOutcome::Recorded);
    EXPECT_EQ(form.Jump_no, " 4");
    EXPECT_EQ(form.option, ResultOption::Fall);
    EXPECT_EQ(exchangeFile("qxresult.dst"), "Fall, 0, 0, 4\r\n");
    // No measurement, so no picture is offered for saving.
    EXPECT_EQ(prompts.count(), 0u);
}

TEST_F(Recording, OtherGridDistanceAcceptedWithinTwoFeet)
{
    form.Jump_no = "2";
    form.option = ResultOption::OtherGrid;
    form.Comment = "Distance from other grid";
    prompts.answerMessage(MessageAnswer::Yes);
    prompts.answerInput("40");
    prompts.answerInput("131");
    ASSERT_EQ(record(), RecordingOutcome::Recorded);

    EXPECT_EQ(results(), "12-07-2026 15:53:04 Smith, John  jump 2 - 40m  (IWSF) 131ft  (AWSA)"
                         "Distance from other grid\r\n");
    EXPECT_EQ(exchangeFile("qxresult.dst"), "OK, 40,  131, 2\r\n");
    EXPECT_EQ(form.Jump_no, " 3");
    EXPECT_EQ(form.option, ResultOption::None);
    EXPECT_EQ(form.Comment, "");
    EXPECT_THAT(prompts.texts(), ElementsAre("Is there a distance to be recorded in the other grid?",
                                             "Enter distance in meters from other screen",
                                             "Enter distance in feet from other screen"));
}

TEST_F(Recording, OtherGridMismatchAsksAgainUntilNo)
{
    form.option = ResultOption::OtherGrid;
    form.Comment = "Distance from other grid";
    prompts.answerMessage(MessageAnswer::Yes);
    prompts.answerInput("40");
    prompts.answerInput("140");
    prompts.answerMessages({MessageAnswer::Ok, MessageAnswer::No});
    ASSERT_EQ(record(), RecordingOutcome::Recorded);

    EXPECT_THAT(
        prompts.texts(),
        ElementsAre("Is there a distance to be recorded in the other grid?",
                    "Enter distance in meters from other screen", "Enter distance in feet from other screen",
                    "The meter distance and the foot distance you entered did not match, please enter "
                    "them again",
                    "Is there a distance to be recorded in the other grid?"));
    EXPECT_EQ(
        results(),
        "12-07-2026 15:53:04 Smith, John  jump 1 -   (IWSF)  (AWSA)Other Grid - no distance recorded\r\n");
    // The entries of the refused answer do not reach the scoring program.
    EXPECT_EQ(exchangeFile("qxresult.dst"), "OK, , , 1\r\n");
    EXPECT_EQ(form.Jump_no, " 2");
}

TEST_F(Recording, AResultsFileThatCannotBeWrittenLeavesEverythingAsItWas)
{
    places.results = ResultsFile(folder.path() / "gone" / "results.txt");
    clickAt(4304.9, 1500.2);
    grid.ramp_y = 15.002;
    grid.survey_x = 7.0;
    form.option = ResultOption::JumpOK;
    form.Comment = "Wind";
    const MeasureForm before = form;
    const GridState gridBefore = grid;
    const MeasurementValues valuesBefore = values;

    EXPECT_EQ(record(), RecordingOutcome::NotRecorded);

    ASSERT_EQ(prompts.count(), 1u);
    EXPECT_EQ(prompts.last().message.icon, MessageIcon::Critical);
    EXPECT_THAT(prompts.last().text(),
                ::testing::AllOf(::testing::HasSubstr((folder.path() / "gone" / "results.txt").string()),
                                 ::testing::HasSubstr("No such file or directory")));
    EXPECT_EQ(form, before);
    EXPECT_EQ(grid, gridBefore);
    EXPECT_EQ(values.raw_distance_text, valuesBefore.raw_distance_text);
    EXPECT_FALSE(std::filesystem::exists(exchangeDir() / "qxresult.dst"));
    EXPECT_FALSE(std::filesystem::exists(exchangeDir() / "qxraw.dst"));

    // Once the folder is back the same press records the jump once.
    std::filesystem::create_directories(folder.path() / "gone");
    ASSERT_EQ(record(), RecordingOutcome::Recorded);
    EXPECT_EQ(fileBytes(folder.path() / "gone" / "results.txt"),
              "12-07-2026 15:53:04 Smith, John  jump 1 -  45.1m  (IWSF) 148ft  (AWSA)Wind ( 43.049/ 15.002) "
              "( 4304/ 1500) ( 45.149)\r\n");
    EXPECT_EQ(exchangeFile("qxraw.dst"), "15:53:04 ,Smith,OK,  45.1,  148, 1\r\n");
}

TEST_F(Recording, AnOtherGridAnswerIsAskedAgainAfterAFailedWrite)
{
    places.results = ResultsFile(folder.path() / "gone" / "results.txt");
    form.option = ResultOption::OtherGrid;
    form.Comment = "Distance from other grid";
    prompts.answerMessage(MessageAnswer::No);
    EXPECT_EQ(record(), RecordingOutcome::NotRecorded);
    EXPECT_EQ(form.option, ResultOption::OtherGrid);
    EXPECT_EQ(form.Comment, "Distance from other grid");
    EXPECT_EQ(form.Jump_no, "1");
}

TEST_F(Recording, AnExchangeFolderThatIsMissingIsReportedAndTheRecordingGoesOn)
{
    std::filesystem::remove_all(exchangeDir());
    form.option = ResultOption::Pass;
    form.Comment = "Pass";
    ASSERT_EQ(record(), RecordingOutcome::Recorded);

    ASSERT_EQ(prompts.count(), 1u);
    EXPECT_THAT(prompts.last().text(), ::testing::StartsWith("Error while writing WSTIMS result: "));
    EXPECT_THAT(prompts.last().text(), ::testing::HasSubstr("qxresult.dst"));
    EXPECT_EQ(prompts.last().message.buttons, MessageButtons::Ok);
    EXPECT_FALSE(results().empty());
    EXPECT_EQ(form.Jump_no, " 2");
    EXPECT_EQ(form.Comment, "");
    EXPECT_FALSE(std::filesystem::exists(exchangeDir()));
}

TEST_F(Recording, AFrozenMeasuredPictureIsOfferedUnderItsClockName)
{
    values.picture_frozen = true;
    clickAt(4304.9);
    const std::string name = places.pictures_path + "20715530.bmp";
    prompts.answerInput(name);
    ASSERT_EQ(record(), RecordingOutcome::Recorded);
    EXPECT_EQ(prompts.last().input, (InputRequest{"Save the frozen picture as", "Frozen Picture", name, {}}));
    EXPECT_THAT(picture.savedFiles, ElementsAre(std::filesystem::path(name)));
    EXPECT_EQ(values.picture_file_name, name);
    EXPECT_TRUE(values.frozen_save_confirmed);

    prompts.cancelInput();
    ASSERT_EQ(record(), RecordingOutcome::Recorded);
    EXPECT_EQ(picture.savedFiles.size(), 1u);
    EXPECT_FALSE(values.frozen_save_confirmed);

    // A name typed over the proposal is the one saved.
    const std::string typed = places.pictures_path + "landing.bmp";
    prompts.answerInput(typed);
    ASSERT_EQ(record(), RecordingOutcome::Recorded);
    EXPECT_EQ(picture.savedFiles.back(), std::filesystem::path(typed));
    EXPECT_EQ(values.picture_file_name, typed);

    picture.failSave = true;
    prompts.answerInput(name);
    ASSERT_EQ(record(), RecordingOutcome::Recorded);
    EXPECT_THAT(prompts.last().text(), ::testing::HasSubstr("No space left on device"));
}

TEST_F(Recording, ALandingTheGridCannotMeasureIsNotRecorded)
{
    // A denominator of exactly zero at the landing.
    grid.active_coef = {0.0, 0.01, 0.0, -0.001, 0.0, 0.0, 0.0, 0.01};
    clickAt(1000.0);
    EXPECT_EQ(record(), RecordingOutcome::NotRecorded);
    EXPECT_THAT(prompts.last().text(), ::testing::HasSubstr("Division by zero"));
    EXPECT_FALSE(std::filesystem::exists(resultsPath()));
    EXPECT_EQ(form.distance, "m");
}

} // namespace
} // namespace leapmark
