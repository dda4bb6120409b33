#include "names/ui/SkierNameImport.h"

#include "capture/ui/PreviewForm.h"
#include "common/PathText.h"
#include "common/RecordFile.h"
#include "manual/RtfReader.h"
#include "names/SkierList.h"
#include "names/ui/NamesLog.h"
#include "shell/Prompts.h"
#include "shell/Session.h"
#include "shell/ui/AppContext.h"
#include "shell/ui/NamedControl.h"
#include "shell/ui/Screens.h"
#include "shell/ui/WaitCursor.h"

#include <QLineEdit>

#include <optional>

namespace leapmark {

namespace {

/** Replaces the list file with the chosen file's plain text; the name to show, if any. */
Result<std::optional<std::string>> replaceSkierList(const std::filesystem::path& chosen,
                                                    const std::filesystem::path& listFile)
{
    auto document = readRtfFile(chosen);
    if (!document)
        return document.error();
    if (auto saved = replaceFile(listFile, skierListFileBytes(document->plainText)); !saved)
        return saved.error();
    return firstSkierName(listFile);
}

} // namespace

void importSkierNames(AppContext& app)
{
    FileDialogRequest request;
    request.startFolder = pathText(app.session.paths.app_dir);
    const std::optional<std::string> chosen = app.prompts.openFile(request);
    if (!chosen)
        return;

    // The hourglass is gone again before any message box shows.
    const auto outcome = [&] {
        WaitCursor busy;
        return replaceSkierList(toPath(*chosen), skierListPath(app.session.paths.app_dir));
    }();
    if (!outcome) {
        qCWarning(lcNames).noquote() << QString::fromStdString(outcome.error().text());
        app.prompts.tell(outcome.error().text(), MessageIcon::Critical);
        return;
    }
    if (const std::optional<std::string>& name = outcome.value())
        app.screens.previewForm().txtSkierName->setText(qs(*name));
}

} // namespace leapmark
