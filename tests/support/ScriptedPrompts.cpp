#include "support/ScriptedPrompts.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace leapmark {
namespace {

const char* buttonsName(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return "Ok";
    case MessageButtons::OkCancel:
        return "OkCancel";
    case MessageButtons::YesNo:
        return "YesNo";
    case MessageButtons::YesNoCancel:
        return "YesNoCancel";
    case MessageButtons::RetryCancel:
        return "RetryCancel";
    case MessageButtons::AbortRetryIgnore:
        return "AbortRetryIgnore";
    }
    return "?";
}

const char* iconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return "None";
    case MessageIcon::Critical:
        return "Critical";
    case MessageIcon::Question:
        return "Question";
    case MessageIcon::Exclamation:
        return "Exclamation";
    case MessageIcon::Information:
        return "Information";
    }
    return "?";
}

const char* answerName(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok:
        return "Ok";
    case MessageAnswer::Cancel:
        return "Cancel";
    case MessageAnswer::Yes:
        return "Yes";
    case MessageAnswer::No:
        return "No";
    case MessageAnswer::Retry:
        return "Retry";
    case MessageAnswer::Abort:
        return "Abort";
    case MessageAnswer::Ignore:
        return "Ignore";
    }
    return "?";
}

int defaultButtonNumber(DefaultButton button)
{
    switch (button) {
    case DefaultButton::First:
        return 1;
    case DefaultButton::Second:
        return 2;
    case DefaultButton::Third:
        return 3;
    }
    return 1;
}

void printQuoted(std::ostream& out, const std::string& text)
{
    out << '"' << text << '"';
}

} // namespace

void PrintTo(const MessageRequest& request, std::ostream* out)
{
    *out << "message ";
    printQuoted(*out, request.text);
    *out << " title ";
    printQuoted(*out, request.title);
    *out << ' ' << buttonsName(request.buttons) << " icon " << iconName(request.icon) << " default button "
         << defaultButtonNumber(request.defaultButton);
}

void PrintTo(const InputRequest& request, std::ostream* out)
{
    *out << "input ";
    printQuoted(*out, request.prompt);
    *out << " title ";
    printQuoted(*out, request.title);
    *out << " default ";
    printQuoted(*out, request.defaultText);
    if (request.position)
        *out << " at " << request.position->xTwips << ',' << request.position->yTwips;
}

void PrintTo(const FileDialogRequest& request, std::ostream* out)
{
    *out << "file dialog ";
    printQuoted(*out, request.title);
    *out << " filter ";
    printQuoted(*out, request.filter);
    *out << " index " << request.filterIndex << " folder ";
    printQuoted(*out, request.startFolder);
    *out << " file ";
    printQuoted(*out, request.fileName);
    *out << " extension ";
    printQuoted(*out, request.defaultExtension);
}

void PrintTo(MessageAnswer answer, std::ostream* out)
{
    *out << answerName(answer);
}

} // namespace leapmark

namespace leapmark::testing {
namespace {

std::string describeReply(const std::optional<std::string>& reply)
{
    return reply ? '"' + *reply + '"' : std::string("cancel");
}

} // namespace

const std::string& RecordedPrompt::text() const
{
    switch (kind) {
    case PromptKind::Message:
        return message.text;
    case PromptKind::Input:
        return input.prompt;
    case PromptKind::OpenFile:
    case PromptKind::SaveFile:
        break;
    }
    return fileDialog.title;
}

std::vector<MessageAnswer> buttonAnswers(MessageButtons buttons)
{
    using enum MessageAnswer;
    switch (buttons) {
    case MessageButtons::Ok:
        return {Ok};
    case MessageButtons::OkCancel:
        return {Ok, Cancel};
    case MessageButtons::YesNo:
        return {Yes, No};
    case MessageButtons::YesNoCancel:
        return {Yes, No, Cancel};
    case MessageButtons::RetryCancel:
        return {Retry, Cancel};
    case MessageButtons::AbortRetryIgnore:
        return {Abort, Retry, Ignore};
    }
    return {Ok};
}

MessageAnswer defaultAnswer(const MessageRequest& request)
{
    const auto answers = buttonAnswers(request.buttons);
    const auto index = static_cast<std::size_t>(defaultButtonNumber(request.defaultButton) - 1);
    return index < answers.size() ? answers[index] : answers.front();
}

void ScriptedPrompts::answerMessage(MessageAnswer answer)
{
    m_messageAnswers.push_back(answer);
}

void ScriptedPrompts::answerMessages(std::initializer_list<MessageAnswer> answers)
{
    m_messageAnswers.insert(m_messageAnswers.end(), answers);
}

void ScriptedPrompts::answerInput(std::string text)
{
    m_inputAnswers.emplace_back(std::move(text));
}

void ScriptedPrompts::cancelInput()
{
    m_inputAnswers.emplace_back(std::nullopt);
}

void ScriptedPrompts::answerOpenFile(std::string path)
{
    m_openFileAnswers.emplace_back(std::move(path));
}

void ScriptedPrompts::cancelOpenFile()
{
    m_openFileAnswers.emplace_back(std::nullopt);
}

void ScriptedPrompts::answerSaveFile(std::string path)
{
    m_saveFileAnswers.emplace_back(std::move(path));
}

void ScriptedPrompts::cancelSaveFile()
{
    m_saveFileAnswers.emplace_back(std::nullopt);
}

MessageAnswer ScriptedPrompts::message(const MessageRequest& request)
{
    guardAgainstRunaway();
    RecordedPrompt& prompt = m_prompts.emplace_back();
    prompt.kind = PromptKind::Message;
    prompt.message = request;
    prompt.messageAnswer = defaultAnswer(request);
    if (m_messageAnswers.empty())
        return prompt.messageAnswer;

    const MessageAnswer scripted = m_messageAnswers.front();
    m_messageAnswers.pop_front();
    const auto offered = buttonAnswers(request.buttons);
    if (std::find(offered.begin(), offered.end(), scripted) == offered.end()) {
        std::ostringstream text;
        text << "scripted answer " << answerName(scripted) << " is not a button of ";
        PrintTo(request, &text);
        ADD_FAILURE() << text.str();
        return prompt.messageAnswer;
    }
    prompt.scripted = true;
    prompt.messageAnswer = scripted;
    return scripted;
}

// A screen that asks again until it gets a usable answer would ask for ever once the script has
// run dry: end the test instead of hanging it.
void ScriptedPrompts::guardAgainstRunaway()
{
    if (m_observer)
        m_observer();
    constexpr std::size_t kMostPromptsInOneTest = 5000;
    if (m_prompts.size() >= kMostPromptsInOneTest) {
        if (std::exchange(m_ranAway, true))
            throw std::runtime_error("unscripted prompt loop");
        ADD_FAILURE() << "more than " << kMostPromptsInOneTest << " prompts: a prompt loop is waiting for an "
                      << "answer that is not scripted; the last one was \"" << m_prompts.back().text()
                      << "\"";
        throw std::runtime_error("unscripted prompt loop");
    }
}

std::optional<std::string> ScriptedPrompts::input(const InputRequest& request)
{
    guardAgainstRunaway();
    RecordedPrompt& prompt = m_prompts.emplace_back();
    prompt.kind = PromptKind::Input;
    prompt.input = request;
    if (!m_inputAnswers.empty()) {
        prompt.scripted = true;
        prompt.reply = std::move(m_inputAnswers.front());
        m_inputAnswers.pop_front();
    }
    return prompt.reply;
}

std::optional<std::string> ScriptedPrompts::openFile(const FileDialogRequest& request)
{
    return fileDialog(PromptKind::OpenFile, request, m_openFileAnswers);
}

std::optional<std::string> ScriptedPrompts::saveFile(const FileDialogRequest& request)
{
    return fileDialog(PromptKind::SaveFile, request, m_saveFileAnswers);
}

std::optional<std::string> ScriptedPrompts::fileDialog(PromptKind kind, const FileDialogRequest& request,
                                                       std::deque<std::optional<std::string>>& queue)
{
    guardAgainstRunaway();
    RecordedPrompt& prompt = m_prompts.emplace_back();
    prompt.kind = kind;
    prompt.fileDialog = request;
    if (!queue.empty()) {
        prompt.scripted = true;
        prompt.reply = std::move(queue.front());
        queue.pop_front();
    }
    return prompt.reply;
}

std::vector<std::string> ScriptedPrompts::texts() const
{
    std::vector<std::string> result;
    result.reserve(m_prompts.size());
    for (const RecordedPrompt& prompt : m_prompts)
        result.push_back(prompt.text());
    return result;
}

std::vector<MessageRequest> ScriptedPrompts::messages() const
{
    std::vector<MessageRequest> result;
    for (const RecordedPrompt& prompt : m_prompts)
        if (prompt.kind == PromptKind::Message)
            result.push_back(prompt.message);
    return result;
}

const RecordedPrompt& ScriptedPrompts::last() const
{
    static const RecordedPrompt none;
    if (m_prompts.empty()) {
        ADD_FAILURE() << "no prompt was shown";
        return none;
    }
    return m_prompts.back();
}

std::size_t ScriptedPrompts::unusedAnswerCount() const
{
    return m_messageAnswers.size() + m_inputAnswers.size() + m_openFileAnswers.size() +
           m_saveFileAnswers.size();
}

::testing::AssertionResult ScriptedPrompts::allAnswersUsed() const
{
    if (unusedAnswerCount() == 0)
        return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    failure << unusedAnswerCount() << " scripted answer(s) not used:";
    for (const MessageAnswer answer : m_messageAnswers)
        failure << " message " << answerName(answer) << ';';
    for (const auto& reply : m_inputAnswers)
        failure << " input " << describeReply(reply) << ';';
    for (const auto& reply : m_openFileAnswers)
        failure << " open file " << describeReply(reply) << ';';
    for (const auto& reply : m_saveFileAnswers)
        failure << " save file " << describeReply(reply) << ';';
    return failure;
}

void ScriptedPrompts::forgetUnusedAnswers()
{
    m_messageAnswers.clear();
    m_inputAnswers.clear();
    m_openFileAnswers.clear();
    m_saveFileAnswers.clear();
}

} // namespace leapmark::testing
