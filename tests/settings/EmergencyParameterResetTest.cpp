#include "settings/EmergencyParameterReset.h"

#include "settings/InMemorySettingsStore.h"
#include "settings/SettingsKeys.h"
#include "support/ScriptedPrompts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;
using testing::ScriptedPrompts;
using enum MessageAnswer;

MessageRequest resetQuestion(std::string text)
{
    return {std::move(text), "Emergency Parameter Reset", MessageButtons::YesNo, MessageIcon::Question,
            DefaultButton::Second};
}

InMemorySettingsStore configuredStation()
{
    return {
        {keys::logpath, "D:\\Jumps"},
        {keys::logfile, "JumpMeasurementLog120726.txt"},
        {keys::device, "2"},
        {keys::framerate, "29.97"},
        {keys::grid2File, "C:\\g2.ipt"},
        {keys::TournamentName, "Lake Cup"},
        {keys::videoresolution, "4"},
    };
}

TEST(EmergencyParameterReset, NoToTheFirstQuestionChangesNothing)
{
    InMemorySettingsStore settings = configuredStation();
    const auto before = settings.entries();
    ScriptedPrompts prompts;
    prompts.answerMessage(No);

    runEmergencyParameterReset(settings, prompts);

    EXPECT_THAT(prompts.messages(),
                ElementsAre(resetQuestion("Do you want to reset all parameters to install values?")));
    EXPECT_EQ(settings.entries(), before);
    EXPECT_EQ(settings.writeCount(), 0);
}

TEST(EmergencyParameterReset, EnterThroughEveryBoxChangesNothing)
{
    InMemorySettingsStore settings = configuredStation();
    ScriptedPrompts prompts; // unscripted boxes take their default button, "No"

    runEmergencyParameterReset(settings, prompts);

    EXPECT_EQ(prompts.count(), 1u);
    EXPECT_EQ(settings.writeCount(), 0);
}

TEST(EmergencyParameterReset, NoToTheSecondQuestionStops)
{
    InMemorySettingsStore settings = configuredStation();
    ScriptedPrompts prompts;
    prompts.answerMessages({Yes, No});

    runEmergencyParameterReset(settings, prompts);

    EXPECT_THAT(prompts.messages(),
                ElementsAre(resetQuestion("Do you want to reset all parameters to install values?"),
                            resetQuestion("Are you certain? This means you are crashing and can't operate")));
    EXPECT_EQ(settings.writeCount(), 0);
}

TEST(EmergencyParameterReset, YesToEverythingClearsTheEightRowsEvenWhenNeverWritten)
{
    InMemorySettingsStore settings = configuredStation();
    ScriptedPrompts prompts;
    prompts.answerMessages({Yes, Yes, Yes, Yes, Yes, Yes, Yes, Yes, Yes, Yes});

    runEmergencyParameterReset(settings, prompts);

    EXPECT_TRUE(prompts.allAnswersUsed());
    EXPECT_THAT(
        prompts.messages(),
        ElementsAre(resetQuestion("Do you want to reset all parameters to install values?"),
                    resetQuestion("Are you certain? This means you are crashing and can't operate"),
                    resetQuestion("Logpath = D:\\Jumps Clear it?"), resetQuestion("barefoot = 0 Clear it?"),
                    resetQuestion("compression = 0 Clear it?"), resetQuestion("device = 2 Clear it?"),
                    resetQuestion("framerate = 29.97 Clear it?"), resetQuestion("Grid 1 File = 0 Clear it?"),
                    resetQuestion("Grid 2 File = C:\\g2.ipt Clear it?"),
                    resetQuestion("Grid 3 File = 0 Clear it?")));
    EXPECT_THAT(settings.entries(),
                ElementsAre(Pair("TournamentName", "Lake Cup"), Pair("barefoot", "0"),
                            Pair("compression", "0"), Pair("device", "0"), Pair("framerate", "0"),
                            Pair("grid1File", ""), Pair("grid2File", ""), Pair("grid3File", ""),
                            Pair("logfile", ""), Pair("logpath", ""), Pair("videoresolution", "4")));
}

TEST(EmergencyParameterReset, OnlyTheRowsAnsweredYesAreCleared)
{
    InMemorySettingsStore settings = configuredStation();
    ScriptedPrompts prompts;
    // Clear the video directory and grid 2 only.
    prompts.answerMessages({Yes, Yes, Yes, No, No, No, No, No, Yes, No});

    runEmergencyParameterReset(settings, prompts);

    EXPECT_EQ(settings.read(keys::logpath, 0), "");
    EXPECT_EQ(settings.read(keys::logfile, 0), "");
    EXPECT_EQ(settings.read(keys::device, 0), "2");
    EXPECT_EQ(settings.read(keys::framerate, 0), "29.97");
    EXPECT_EQ(settings.read(keys::grid2File, 0), "");
    EXPECT_EQ(settings.find(keys::barefoot), std::nullopt);
    EXPECT_EQ(settings.find(keys::grid1File), std::nullopt);
    EXPECT_EQ(settings.writeCount(), 3);
}

TEST(EmergencyParameterReset, ShowsStoredKeysWhateverTheirSpelling)
{
    InMemorySettingsStore settings{{"LOGPATH", "/srv/jumps"}, {"Grid1file", "/srv/g1.ipt"}};
    ScriptedPrompts prompts;
    prompts.answerMessages({Yes, Yes, Yes});

    runEmergencyParameterReset(settings, prompts);

    EXPECT_EQ(prompts.texts().at(2), "Logpath = /srv/jumps Clear it?");
    EXPECT_EQ(prompts.texts().at(7), "Grid 1 File = /srv/g1.ipt Clear it?");
    EXPECT_THAT(settings.entries(),
                ElementsAre(Pair("Grid1file", "/srv/g1.ipt"), Pair("LOGPATH", ""), Pair("logfile", "")));
}

} // namespace
} // namespace leapmark
