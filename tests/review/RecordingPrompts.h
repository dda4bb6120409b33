#pragma once

#include "common/Prompts.h"

#include <vector>

namespace leapmark::testing {

/** Prompts that answer OK to every box and keep each one asked, for checking texts and icons. */
class RecordingPrompts : public Prompts
{
public:
    MessageAnswer message(const MessageRequest& request) override
    {
        messages.push_back(request);
        return MessageAnswer::Ok;
    }
    std::optional<std::string> input(const InputRequest&) override { return std::nullopt; }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }

    std::vector<MessageRequest> messages;
};

/** An OK box with the program's title. */
inline MessageRequest okBox(std::string text, MessageIcon icon)
{
    return {std::move(text), {}, MessageButtons::Ok, icon, DefaultButton::First};
}

} // namespace leapmark::testing
