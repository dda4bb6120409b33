#pragma once

#include <string_view>

namespace leapmark {

/** The kinds of `file_exist`, as its callers pass them. */
enum class ExistenceKind { File = 0, Folder = 1, Drive = 2 };

/**
 * Whether the path names an existing file (kind 0), folder (kind 1) or drive (kind 2). A drive is a
 * drive root such as "C:" or "C:\" on Windows and the root "/" elsewhere. Any other kind, an empty
 * path and anything missing or unreachable answer false; it never throws. Relative paths count
 * from the process's current folder, so callers join them to the session's folder first.
 */
[[nodiscard]] bool file_exist(std::string_view path, int kind) noexcept;

[[nodiscard]] inline bool file_exist(std::string_view path, ExistenceKind kind) noexcept
{
    return file_exist(path, static_cast<int>(kind));
}

} // namespace leapmark
