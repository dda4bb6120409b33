#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace leapmark {

/*
 * Existence tests on path texts as the operator typed them. They never throw: a text that is
 * empty, malformed or unreachable simply names nothing.
 */

/** True when the text names an existing file (not a folder). */
[[nodiscard]] bool fileExists(std::string_view pathText);

/** True when the text names an existing folder; one trailing "/" or "\" is allowed either way. */
[[nodiscard]] bool folderExists(std::string_view pathText);

/**
 * The folder a typed path text names, made absolute against the process's working folder and
 * without "." or ".." steps or a trailing separator (the root keeps its own): stored once, when the
 * operator's folder is accepted, so that every file of the session lands in the same place.
 */
[[nodiscard]] std::string absoluteFolderText(std::string_view typed);

/**
 * A path text as the program opens it: a relative text is taken inside the current folder (the
 * folder the program last made current), an absolute one as it stands.
 */
[[nodiscard]] std::filesystem::path pathInFolder(const std::filesystem::path& currentFolder,
                                                 std::string_view pathText);

} // namespace leapmark
