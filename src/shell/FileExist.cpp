#include "shell/FileExist.h"

#include "common/PathText.h"

#include <filesystem>
#include <system_error>

namespace leapmark {

namespace {

bool namesDriveRoot(std::string_view path)
{
#ifdef _WIN32
    const bool letter = (path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z');
    return letter && path.size() >= 2 && path[1] == ':' &&
           (path.size() == 2 || (path.size() == 3 && isSeparator(path[2])));
#else
    return path.find_first_not_of('/') == std::string_view::npos;
#endif
}

} // namespace

bool file_exist(std::string_view path, int kind) noexcept
{
    if (path.empty())
        return false;
    try {
        const std::filesystem::path item = toPath(path);
        std::error_code error;
        switch (kind) {
        case static_cast<int>(ExistenceKind::File): {
            const auto status = std::filesystem::status(item, error);
            return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
        }
        case static_cast<int>(ExistenceKind::Folder):
            return std::filesystem::is_directory(item, error);
        case static_cast<int>(ExistenceKind::Drive):
            return namesDriveRoot(path) && std::filesystem::is_directory(item, error);
        default:
            return false;
        }
    } catch (...) {
        // A path the platform cannot even represent names nothing that exists.
        return false;
    }
}

} // namespace leapmark
