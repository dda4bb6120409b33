#include "common/PathExistence.h"

#include "common/PathText.h"

#include <system_error>

namespace leapmark {

bool fileExists(std::string_view pathText)
{
    if (pathText.empty())
        return false;
    std::error_code error;
    return std::filesystem::is_regular_file(toPath(pathText), error);
}

bool folderExists(std::string_view pathText)
{
    if (pathText.empty())
        return false;
    // "D:\Jumps\" and "/data/jumps/" both name their folder; the root itself keeps its separator.
    std::string_view folder = withoutTrailingSeparator(pathText);
    if (folder.empty())
        folder = pathText.substr(0, 1);
    std::error_code error;
    return std::filesystem::is_directory(toPath(folder), error);
}

std::string absoluteFolderText(std::string_view typed)
{
    if (typed.empty())
        return {};
    std::error_code error;
    std::filesystem::path folder = std::filesystem::absolute(toPath(typed), error);
    if (error)
        return std::string(typed);
    folder = folder.lexically_normal();
    std::string text = pathText(folder);
    return std::string(withoutTrailingSeparator(text));
}

std::filesystem::path pathInFolder(const std::filesystem::path& currentFolder, std::string_view pathText)
{
    std::filesystem::path path = toPath(pathText);
    if (path.is_relative() && !currentFolder.empty())
        return currentFolder / path;
    return path;
}

} // namespace leapmark
