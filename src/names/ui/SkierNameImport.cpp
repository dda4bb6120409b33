#include "names/ui/SkierNameImport.h"

#include "common/PathText.h"
#include "common/Prompts.h"
#include "common/RecordFile.h"
#include "common/RtfReader.h"
#include "names/SkierList.h"
#include "names/ui/NamesLog.h"
#include "shell/Session.h"
#include "shell/ui/AppContext.h"
#include "shell/ui/WaitCursor.h"

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

std::optional<std::string> importSkierNames(AppContext& app)
{
    FileDialogRequest request;
    request.startFolder = pathText(app.session.paths.app_dir);
    const std::optional<std::string> chosen = app.prompts.openFile(request);
    if (!chosen)
        return std::nullopt;

    // The hourglass is gone again before any message box shows.
    const auto outcome = [&] {
        WaitCursor busy;
        return replaceSkierList(toPath(*chosen), skierListPath(app.session.paths.app_dir));
    }();
    if (!outcome) {
        qCWarning(lcNames).noquote() << QString::fromStdString(outcome.error().text());
        app.prompts.tell(outcome.error().text(), MessageIcon::Critical);
        return std::nullopt;
    }
    return outcome.value();
}

} // namespace leapmark
