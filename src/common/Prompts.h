#pragma once

#include <optional>
#include <string>

namespace leapmark {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };

enum class MessageAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

/** Which of the box's buttons is the default, counted from the left. */
enum class DefaultButton { First, Second, Third };

/** A modal message box; an empty title means the program's title. */
struct MessageRequest
{
    std::string text;
    std::string title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    DefaultButton defaultButton = DefaultButton::First;

    friend bool operator==(const MessageRequest&, const MessageRequest&) = default;
};

/** Where an input box is placed, in twips from the screen's top-left corner. */
struct BoxPosition
{
    int xTwips = 0;
    int yTwips = 0;

    friend bool operator==(const BoxPosition&, const BoxPosition&) = default;
};

struct InputRequest
{
    std::string prompt;
    std::string title;
    std::string defaultText;
    std::optional<BoxPosition> position;

    friend bool operator==(const InputRequest&, const InputRequest&) = default;
};

/**
 * An open or save file dialog. The filter is written as the operator's program writes it:
 * "All Files (*.*)|*.*|Text Files (*.TXT)|*.TXT|", description and pattern pairs; filterIndex picks
 * the preselected pair, counted from 1.
 */
struct FileDialogRequest
{
    std::string startFolder;
    std::string filter;
    int filterIndex = 1;
    std::string title;
    std::string defaultExtension;
    std::string fileName;

    friend bool operator==(const FileDialogRequest&, const FileDialogRequest&) = default;
};

/** Everything the operator is asked or told goes through here. */
class Prompts
{
public:
    virtual ~Prompts() = default;

    virtual MessageAnswer message(const MessageRequest& request) = 0;
    /** The text entered, or nothing when the operator cancelled. */
    virtual std::optional<std::string> input(const InputRequest& request) = 0;
    /** The chosen path, or nothing when the operator cancelled. */
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;

    /** An OK box. */
    void tell(const std::string& text, MessageIcon icon = MessageIcon::None, const std::string& title = {})
    {
        message({text, title, MessageButtons::Ok, icon, DefaultButton::First});
    }
};

} // namespace leapmark
