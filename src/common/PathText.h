#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace leapmark {

/** The platform's folder separator as text. */
[[nodiscard]] std::string_view separatorText();

/** True for "/" and "\": names cut out of paths accept both. */
[[nodiscard]] bool isSeparator(char c);

/** The text after the last "/" or "\" (the whole text when it has none). */
[[nodiscard]] std::string_view fileNamePart(std::string_view pathText);

/** The text before the last "/" or "\" (empty when it has none). */
[[nodiscard]] std::string_view folderPart(std::string_view pathText);

/** The text less one trailing separator, if it ends in one; a root ("/", "C:\") stays as it is. */
[[nodiscard]] std::string_view withoutTrailingSeparator(std::string_view pathText);

/** folder + separator + name; a folder that already ends in a separator gets no second one. */
[[nodiscard]] std::string joinPath(std::string_view folderText, std::string_view name);

/** A UTF-8 path text as a filesystem path. */
[[nodiscard]] std::filesystem::path toPath(std::string_view utf8PathText);

/** A filesystem path as UTF-8 text, for records and messages. */
[[nodiscard]] std::string pathText(const std::filesystem::path& path);

} // namespace leapmark
