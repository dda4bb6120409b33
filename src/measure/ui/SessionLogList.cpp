#include "measure/ui/SessionLogList.h"

#include "common/PathText.h"
#include "common/Prompts.h"
#include "measure/LogViewing.h"
#include "shell/Session.h"
#include "shell/ui/ListScrollWidth.h"
#include "shell/ui/NamedControl.h"

#include <QLineEdit>
#include <QListWidget>

namespace leapmark {

std::filesystem::path todaysSessionLog(const AppContext& app)
{
    return sessionLogPath(app.session.config.video_dir, app.session.config.session_log_name);
}

std::optional<std::filesystem::path> chooseSessionLog(AppContext& app)
{
    FileDialogRequest request;
    request.startFolder = app.session.config.video_dir;
    request.filter = std::string(kSessionLogFilter);
    request.filterIndex = 1;
    const auto chosen = app.prompts.openFile(request);
    if (!chosen)
        return std::nullopt;
    return toPath(*chosen);
}

void showLogEntries(AppContext& app, const std::filesystem::path& log, LogEntryKind kind, QLineEdit* pathBox,
                    QListWidget* list)
{
    pathBox->setText(qs(pathText(log)));
    auto entries = readLogEntries(log, kind);
    if (!entries) {
        app.prompts.tell(entries.error().text(), MessageIcon::Exclamation);
        return;
    }
    list->clear();
    for (const std::string& entry : *entries)
        list->addItem(qs(entry));
    set_list_scroll_width(list);
}

} // namespace leapmark
