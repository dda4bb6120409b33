#include "support/ScriptedPrompts.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::PromptKind;
using testing::ScriptedPrompts;

TEST(ScriptedPrompts, AnswersFromTheQueueOfEachKindAndRecordsInOrder)
{
    ScriptedPrompts prompts;
    prompts.answerOpenFile("/data/names.txt");
    prompts.answerMessage(MessageAnswer::Cancel);
    prompts.answerInput("Smith");

    const FileDialogRequest open{"/data", "All Files (*.*)|*.*|", 1, "Open", "", ""};
    EXPECT_EQ(prompts.message(
                  {"Save?", "", MessageButtons::OkCancel, MessageIcon::Exclamation, DefaultButton::First}),
              MessageAnswer::Cancel);
    EXPECT_EQ(prompts.input({"Skier?", "Name", "", BoxPosition{100, 200}}), "Smith");
    EXPECT_EQ(prompts.openFile(open), "/data/names.txt");
    EXPECT_EQ(prompts.saveFile(open), std::nullopt);
    EXPECT_EQ(prompts.input({"Again?", "", "x", std::nullopt}), std::nullopt);

    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"Save?", "Skier?", "Open", "Open", "Again?"}));
    EXPECT_EQ(prompts.prompts()[1].input.position, (BoxPosition{100, 200}));
    EXPECT_EQ(prompts.prompts()[2].kind, PromptKind::OpenFile);
    EXPECT_EQ(prompts.prompts()[2].fileDialog, open);
    EXPECT_EQ(prompts.prompts()[3].kind, PromptKind::SaveFile);
    EXPECT_FALSE(prompts.last().scripted);
    EXPECT_TRUE(prompts.allAnswersUsed());
}

TEST(ScriptedPrompts, UnscriptedBoxesTakeTheirDefaultButton)
{
    ScriptedPrompts prompts;
    EXPECT_EQ(prompts.message({"?", "", MessageButtons::YesNo, MessageIcon::Question, DefaultButton::Second}),
              MessageAnswer::No);
    EXPECT_EQ(
        prompts.message({"?", "", MessageButtons::YesNoCancel, MessageIcon::None, DefaultButton::Third}),
        MessageAnswer::Cancel);
    EXPECT_EQ(prompts.message({"?", "", MessageButtons::Ok, MessageIcon::None, DefaultButton::Second}),
              MessageAnswer::Ok);
    prompts.tell("Done");
    EXPECT_EQ(prompts.last().message.buttons, MessageButtons::Ok);
    prompts.clear();
    EXPECT_EQ(prompts.count(), 0u);
}

TEST(ScriptedPrompts, ReportsAnswersLeftOverAndAnswersThatFitNoButton)
{
    ScriptedPrompts prompts;
    prompts.answerMessages({MessageAnswer::Yes, MessageAnswer::No});
    prompts.cancelSaveFile();
    EXPECT_EQ(prompts.unusedAnswerCount(), 3u);
    EXPECT_FALSE(prompts.allAnswersUsed());

    EXPECT_NONFATAL_FAILURE(prompts.tell("Note"), "scripted answer Yes is not a button of");
    EXPECT_EQ(prompts.last().messageAnswer, MessageAnswer::Ok);
    EXPECT_EQ(prompts.unusedAnswerCount(), 2u);

    prompts.forgetUnusedAnswers();
    EXPECT_TRUE(prompts.allAnswersUsed());
}

} // namespace
} // namespace leapmark
