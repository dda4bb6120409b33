#include "MeasureStation.h"

#include "measure/ui/Measure.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/picture/PictureSurface.h"
#include "support/GoldenFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

/** The station with WSTIMS ticked, on the measurement screen with "Smith, John" picked. */
class RecordJump : public ::testing::Test
{
protected:
    void SetUp() override
    {
        station.app.settings().write(keys::WSTIMS, "1");
        start();
    }
    void start()
    {
        station.start();
        station.arriveFromFrameSelection();
        station.typeSkierName("Smith, John");
        station.app.prompts().clear();
    }
    Measure& measure() { return station.measure(); }
    std::string exchange(const char* name) { return AppHarness::bytesOf(station.app.exchangeDir() / name); }
    bool exchangeHas(const char* name) { return std::filesystem::exists(station.app.exchangeDir() / name); }

    testing::MeasureStation station;
};

constexpr PlanePoint kLanding{4350, 3000}; // 43.5 m from the ramp, 45.6 m with the allowance
const std::string kMeasuredLine = "12-07-2026 15:53:04 Smith, John  jump 1 -  45.6m  (IWSF) 150ft  (AWSA)"
                                  " ( 43.5/ 30) ( 4350/ 3000) ( 45.6)\r\n";

TEST_F(RecordJump, AMeasuredJumpOnAKnownGrid)
{
    station.clickPicture(kLanding);
    EXPECT_EQ(measure().distance->text(), QStringLiteral("m"));
    EXPECT_EQ(measure().distance_ft->text(), QStringLiteral("ft"));
    AppHarness::click(measure().Record);

    EXPECT_EQ(station.newResults(), kMeasuredLine);
    EXPECT_EQ(exchange("qxresult.dst"), "OK,  45.6,  150, 1\r\n");
    EXPECT_EQ(exchange("qxraw.dst"), "15:53:04 ,Smith,OK,  45.6,  150, 1\r\n");
    EXPECT_EQ(measure().distance->text(), QStringLiteral(" 45.6m"));
    EXPECT_EQ(measure().distance_ft->text(), QStringLiteral(" 150ft"));
    EXPECT_EQ(measure().Jump_no->text(), QStringLiteral("1"));
    EXPECT_TRUE(measure().Comment->isHidden());
    EXPECT_EQ(station.app.prompts().count(), 0u);
}

TEST_F(RecordJump, TheNextSkiersPictureIsNeverMeasuredAtTheLastSkiersLanding)
{
    station.clickPicture(kLanding);
    AppHarness::click(measure().Record);
    ASSERT_EQ(station.newResults(), kMeasuredLine);
    AppHarness::click(measure().Unfreeze);

    // The next skier's frame arrives: the last landing's cross goes, and Record waits for a click.
    station.markResults();
    measure().hide(); // off to capture the next skier
    station.arriveFromFrameSelection();
    EXPECT_FALSE(
        measure().picture->lineItem(measure().impactLineItem(Measure::ImpactLine::Vertical)).visible);
    station.app.prompts().clear();
    AppHarness::click(measure().Record);
    EXPECT_EQ(station.newResults(), "");
    ASSERT_EQ(station.app.prompts().count(), 1u);
    EXPECT_THAT(station.app.prompts().last().text(), HasSubstr("Click the landing"));

    station.clickPicture({4350, 3495});
    AppHarness::click(measure().Record);
    EXPECT_THAT(station.newResults(), HasSubstr("( 4350/ 3495)"));
}

TEST_F(RecordJump, PassRightAfterStartUpWritesTheZeroTail)
{
    station.typeSkierName("Smith");
    AppHarness::click(measure().Pass);
    AppHarness::click(measure().Record);

    EXPECT_EQ(station.newResults(), testing::goldenFile("pass-right-after-start/results.txt"));
    EXPECT_EQ(exchange("qxresult.dst"), testing::goldenFile("pass-right-after-start/qxresult.dst"));
    EXPECT_EQ(exchange("qxraw.dst"), testing::goldenFile("pass-right-after-start/qxraw.dst"));
    EXPECT_EQ(measure().Jump_no->text(), QStringLiteral(" 2"));
    EXPECT_FALSE(measure().Pass->isChecked());
    EXPECT_FALSE(measure().optJumpOK->isChecked());
}

TEST_F(RecordJump, PassOnAFrozenPictureKeepsTheNumberAndTheOption)
{
    AppHarness::click(measure().ClipSnapShot);
    EXPECT_TRUE(station.app.session().measure.picture_frozen);
    AppHarness::click(measure().Pass);
    AppHarness::click(measure().Record);
    EXPECT_EQ(measure().Jump_no->text(), QStringLiteral("1"));
    EXPECT_TRUE(measure().Pass->isChecked());
    EXPECT_EQ(exchange("qxresult.dst"), "Pass, 0, 0,1\r\n");

    AppHarness::click(measure().Unfreeze);
    AppHarness::click(measure().Fall);
    AppHarness::click(measure().Record);
    EXPECT_EQ(measure().Jump_no->text(), QStringLiteral(" 3"));
    EXPECT_FALSE(measure().Fall->isChecked());
    EXPECT_EQ(exchange("qxresult.dst"), "Fall, 0, 0, 2\r\n");
}

TEST_F(RecordJump, OtherGridAcceptedAndMismatched)
{
    testing::ScriptedPrompts& prompts = station.app.prompts();
    AppHarness::click(measure().Other_Grid);
    EXPECT_EQ(measure().Comment->text(), QStringLiteral("Distance from other grid"));
    prompts.answerMessage(MessageAnswer::Yes);
    prompts.answerInput("40");
    prompts.answerInput("131");
    AppHarness::click(measure().Record);
    EXPECT_EQ(
        station.newResults(),
        "12-07-2026 15:53:04 Smith, John  jump 1 - 40m  (IWSF) 131ft  (AWSA)Distance from other grid\r\n");
    EXPECT_EQ(exchange("qxresult.dst"), "OK, 40,  131, 1\r\n");
    EXPECT_EQ(measure().Jump_no->text(), QStringLiteral(" 2"));
    EXPECT_FALSE(measure().Other_Grid->isChecked());

    station.markResults();
    prompts.clear();
    AppHarness::click(measure().Other_Grid);
    prompts.answerMessage(MessageAnswer::Yes);
    prompts.answerInput("40");
    prompts.answerInput("140");
    prompts.answerMessages({MessageAnswer::Ok, MessageAnswer::Yes});
    prompts.answerInput("40");
    prompts.answerInput("132");
    AppHarness::click(measure().Record);
    EXPECT_THAT(
        prompts.texts(),
        ElementsAre("Is there a distance to be recorded in the other grid?",
                    "Enter distance in meters from other screen", "Enter distance in feet from other screen",
                    "The meter distance and the foot distance you entered did not match, please enter "
                    "them again",
                    "Is there a distance to be recorded in the other grid?",
                    "Enter distance in meters from other screen",
                    "Enter distance in feet from other screen"));
    EXPECT_EQ(
        station.newResults(),
        "12-07-2026 15:53:04 Smith, John  jump  2 - 40m  (IWSF) 132ft  (AWSA)Distance from other grid\r\n");
    EXPECT_TRUE(prompts.allAnswersUsed());
}

TEST_F(RecordJump, VerifyModeReadsUnderThePointerAndMarksTheJump)
{
    AppHarness::click(measure().verify);
    EXPECT_EQ(measure().verify->text(), QStringLiteral("Verify off"));
    EXPECT_FALSE(measure().UnofficialJump->isHidden());
    EXPECT_FALSE(measure().VerifyDistance->isHidden());

    station.movePointer(kLanding);
    EXPECT_EQ(measure().xtwips->text(), QStringLiteral(" 4350"));
    EXPECT_EQ(measure().ytwips->text(), QStringLiteral(" 3000"));
    EXPECT_EQ(measure().xposition->text(), QStringLiteral(" 43.5"));
    EXPECT_EQ(measure().yposition->text(), QStringLiteral(" 30"));
    // 45.6 m x 3.28 = 149.568: the readout says 150 ft.
    EXPECT_EQ(measure().VerifyDistance->text(), QStringLiteral(" 45.6m  150ft"));

    station.clickPicture(kLanding);
    AppHarness::click(measure().Record);
    EXPECT_THAT(station.newResults(), HasSubstr("150ft  (AWSA) UNOFFICIAL JUMP - verify mode  ( 43.5/ 30)"));
    EXPECT_EQ(exchange("qxresult.dst"), "OK,  45.6,  150, 1\r\n");

    AppHarness::click(measure().verify);
    EXPECT_EQ(measure().verify->text(), QStringLiteral("Verify"));
    EXPECT_TRUE(measure().UnofficialJump->isHidden());
    EXPECT_TRUE(measure().xtwips->isHidden());
}

TEST_F(RecordJump, AResultsFileThatCannotBeWrittenLeavesTheScreenForAnotherTry)
{
    const std::filesystem::path folder = station.app.scratchDir() / "results";
    std::filesystem::create_directories(folder);
    station.app.session().config.results_path = (folder / "results.txt").string();
    std::filesystem::remove_all(folder);

    station.clickPicture(kLanding);
    AppHarness::click(measure().AdjustRight);
    AppHarness::click(measure().Record);

    ASSERT_EQ(station.app.prompts().count(), 1u);
    EXPECT_THAT(station.app.prompts().last().text(),
                ::testing::AllOf(HasSubstr((folder / "results.txt").string()),
                                 HasSubstr("No such file or directory")));
    // The mark, the texts and the options are as the operator left them; nothing went to the scoring program.
    EXPECT_EQ(measure().distance->text(), QStringLiteral("m"));
    EXPECT_EQ(measure().distance_ft->text(), QStringLiteral("ft"));
    EXPECT_TRUE(measure().optJumpOK->isChecked());
    EXPECT_FALSE(measure().Comment->isHidden());
    EXPECT_EQ(measure().drawnImpact(), (PlanePoint{4365, 3000}));
    EXPECT_TRUE(measure().picture->lineItem(measure().impactLineItem(Measure::ImpactLine::Vertical)).visible);
    EXPECT_FALSE(exchangeHas("qxresult.dst"));
    EXPECT_FALSE(exchangeHas("qxraw.dst"));

    std::filesystem::create_directories(folder);
    AppHarness::click(measure().Record);
    EXPECT_EQ(AppHarness::bytesOf(folder / "results.txt"),
              "12-07-2026 15:53:04 Smith, John  jump 1 -  45.8m  (IWSF) 150ft  (AWSA)"
              " ( 43.65/ 30) ( 4365/ 3000) ( 45.75)\r\n");
    EXPECT_EQ(exchange("qxraw.dst"), "15:53:04 ,Smith,OK,  45.8,  150, 1\r\n");
}

TEST_F(RecordJump, WithoutWstimsTheExchangeFolderIsLeftAlone)
{
    station.app.config().WSTIMS->click();
    station.clickPicture(kLanding);
    AppHarness::click(measure().Record);
    EXPECT_EQ(station.newResults(), kMeasuredLine);
    EXPECT_FALSE(exchangeHas("qxresult.dst"));
}

TEST_F(RecordJump, RerideAndCommentLinesAndAMissingExchangeFolder)
{
    AppHarness::click(measure().M_Reride);
    EXPECT_FALSE(measure().M_Reride->isChecked());
    station.app.prompts().answerInput("Wind gust at the ramp");
    AppHarness::click(measure().Make_comment);
    EXPECT_EQ(station.newResults(), "12-07-2026 15:53:04 Mandatory Reride - disregard last jump\r\n"
                                    "12-07-2026 15:53:04 Wind gust at the ramp\r\n");
    EXPECT_EQ(measure().Comment->text(), QString());

    std::filesystem::remove_all(station.app.exchangeDir());
    station.app.prompts().clear();
    AppHarness::click(measure().Fall);
    AppHarness::click(measure().Record);
    ASSERT_EQ(station.app.prompts().count(), 1u);
    EXPECT_THAT(station.app.prompts().last().text(),
                ::testing::StartsWith("Error while writing WSTIMS result: "));
    EXPECT_EQ(measure().Jump_no->text(), QStringLiteral(" 2"));
}

TEST_F(RecordJump, TheScoringProgramsNameStartsTheSkierAtJumpOne)
{
    measure().Jump_no->setText(QStringLiteral(" 4"));
    testing::writeBytes(station.app.exchangeDir() / "qxskier.nam", "\"Lee, Ann\",CAN\r\n");
    AppHarness::click(measure().btnGetName);
    EXPECT_EQ(measure().Skier_name->currentText(), QStringLiteral("Lee, Ann"));
    EXPECT_EQ(measure().Jump_no->text(), QStringLiteral("1"));
    EXPECT_EQ(measure().distance->text(), QString());
}

} // namespace
} // namespace leapmark
