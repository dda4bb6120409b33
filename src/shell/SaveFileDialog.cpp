#include "shell/SaveFileDialog.h"

#include "common/PathText.h"

namespace leapmark {

SaveDialogKind saveDialogKind(int kind)
{
    if (kind == 0)
        return {"All Supported Types|*.bmp;*.jpg;*.pic|BMP Files|*.bmp|JPEG Files|*.jpg|ePIC Files|*.pic|",
                "jpg"};
    return {};
}

std::string save_file_dialog(Prompts& prompts, std::string_view path, int kind)
{
    const SaveDialogKind dialogKind = saveDialogKind(kind);
    FileDialogRequest request;
    request.startFolder = std::string(folderPart(path));
    request.filter = dialogKind.filter;
    request.filterIndex = 1;
    request.defaultExtension = dialogKind.defaultExtension;
    if (auto chosen = prompts.saveFile(request); chosen && !chosen->empty())
        return *chosen;
    return std::string(path);
}

} // namespace leapmark
