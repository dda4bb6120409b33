#pragma once

#include "common/Prompts.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace leapmark {

// Readable test failures for the prompt requests (found by argument-dependent lookup).
void PrintTo(const MessageRequest& request, std::ostream* out);
void PrintTo(const InputRequest& request, std::ostream* out);
void PrintTo(const FileDialogRequest& request, std::ostream* out);
void PrintTo(MessageAnswer answer, std::ostream* out);

} // namespace leapmark

namespace leapmark::testing {

enum class PromptKind { Message, Input, OpenFile, SaveFile };

/** One prompt as the program put it, and what it was answered. */
struct RecordedPrompt
{
    PromptKind kind = PromptKind::Message;
    MessageRequest message;       // kind Message
    InputRequest input;           // kind Input
    FileDialogRequest fileDialog; // kinds OpenFile, SaveFile
    /** Whether the answer came from the script (otherwise the default button, or a cancel). */
    bool scripted = false;
    MessageAnswer messageAnswer = MessageAnswer::Ok;
    /** The text entered or the path chosen; nothing when cancelled. */
    std::optional<std::string> reply;

    /** The message text, the input prompt, or the file dialog's title. */
    [[nodiscard]] const std::string& text() const;
};

/**
 * The `Prompts` of tests: answers come from queues scripted in advance, one queue per kind, and
 * every prompt is recorded in order with its whole request.
 *
 * A message box with no scripted answer left takes its default button; an input box or file
 * dialog with none left is cancelled. A scripted answer that is not one of the box's buttons fails
 * the test and the default button is taken instead. `allAnswersUsed()` tells whether the code under
 * test asked fewer questions than were scripted.
 */
class ScriptedPrompts final : public Prompts
{
public:
    // Scripting, in the order the answers are to be given.
    void answerMessage(MessageAnswer answer);
    void answerMessages(std::initializer_list<MessageAnswer> answers);
    void answerInput(std::string text);
    void cancelInput();
    void answerOpenFile(std::string path);
    void cancelOpenFile();
    void answerSaveFile(std::string path);
    void cancelSaveFile();

    MessageAnswer message(const MessageRequest& request) override;
    std::optional<std::string> input(const InputRequest& request) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;

    // What was asked.
    [[nodiscard]] const std::vector<RecordedPrompt>& prompts() const { return m_prompts; }
    [[nodiscard]] std::size_t count() const { return m_prompts.size(); }
    /** The text of every prompt in order (see RecordedPrompt::text). */
    [[nodiscard]] std::vector<std::string> texts() const;
    /** The message boxes only, in order. */
    [[nodiscard]] std::vector<MessageRequest> messages() const;
    /** The latest prompt; fails the test when there was none. */
    [[nodiscard]] const RecordedPrompt& last() const;
    /** Runs before every prompt is answered, to look at the program as the operator sees it then. */
    void onEveryPrompt(std::function<void()> observer) { m_observer = std::move(observer); }

    /** Forgets the recorded prompts (the scripted answers stay). */
    void clear() { m_prompts.clear(); }

    // What was scripted and not asked for.
    [[nodiscard]] std::size_t unusedAnswerCount() const;
    /** Success when every scripted answer was taken; otherwise names the ones left. */
    [[nodiscard]] ::testing::AssertionResult allAnswersUsed() const;
    /** Drops the answers not taken. */
    void forgetUnusedAnswers();

private:
    void guardAgainstRunaway();
    bool m_ranAway = false;
    std::function<void()> m_observer;
    std::optional<std::string> fileDialog(PromptKind kind, const FileDialogRequest& request,
                                          std::deque<std::optional<std::string>>& queue);

    std::deque<MessageAnswer> m_messageAnswers;
    std::deque<std::optional<std::string>> m_inputAnswers;
    std::deque<std::optional<std::string>> m_openFileAnswers;
    std::deque<std::optional<std::string>> m_saveFileAnswers;
    std::vector<RecordedPrompt> m_prompts;
};

/** The buttons of a box from left to right, as answers. */
[[nodiscard]] std::vector<MessageAnswer> buttonAnswers(MessageButtons buttons);

/** What pressing Enter answers: the default button, or the first when the box has fewer buttons. */
[[nodiscard]] MessageAnswer defaultAnswer(const MessageRequest& request);

} // namespace leapmark::testing
