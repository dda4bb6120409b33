#include "settings/EmergencyParameterReset.h"

#include "common/Prompts.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"

#include <array>
#include <string>
#include <string_view>

namespace leapmark {
namespace {

constexpr std::string_view kTitle = "Emergency Parameter Reset";

struct ResetRow
{
    std::string_view key;
    std::string_view label;
    std::string_view clearedText;
    /** A second key cleared with the first (the session log name goes with its folder). */
    std::string_view alsoCleared;
};

constexpr std::array<ResetRow, 8> kRows = {{
    {keys::logpath, "Logpath = ", "", keys::logfile},
    {keys::barefoot, "barefoot = ", "0", {}},
    {keys::compression, "compression = ", "0", {}},
    {keys::device, "device = ", "0", {}},
    {keys::framerate, "framerate = ", "0", {}},
    {keys::grid1File, "Grid 1 File = ", "", {}},
    {keys::grid2File, "Grid 2 File = ", "", {}},
    {keys::grid3File, "Grid 3 File = ", "", {}},
}};

bool operatorSaysYes(Prompts& prompts, std::string text)
{
    const MessageRequest question{std::move(text), std::string(kTitle), MessageButtons::YesNo,
                                  MessageIcon::Question, DefaultButton::Second};
    return prompts.message(question) == MessageAnswer::Yes;
}

} // namespace

void runEmergencyParameterReset(SettingsStore& settings, Prompts& prompts)
{
    if (!operatorSaysYes(prompts, "Do you want to reset all parameters to install values?"))
        return;
    if (!operatorSaysYes(prompts, "Are you certain? This means you are crashing and can't operate"))
        return;

    for (const ResetRow& row : kRows) {
        const std::string value = settings.read(row.key, 0);
        if (!operatorSaysYes(prompts, std::string(row.label) + value + " Clear it?"))
            continue;
        settings.write(row.key, row.clearedText);
        if (!row.alsoCleared.empty())
            settings.write(row.alsoCleared, "");
    }
}

} // namespace leapmark
