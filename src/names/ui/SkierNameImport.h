#pragma once

#include <optional>
#include <string>

namespace leapmark {

struct AppContext;

/**
 * "Import Skier Names File": asks for a file (open dialog in the application folder, no filter),
 * turns rich text into plain text (a plain file stays as it is, its line ends made CR LF), replaces
 * the application folder's "SkierNames.txt" with it and gives its first name, which goes into the
 * capture screen's name box (none for an empty first line). Cancelling ends the import
 * silently; a file that cannot be read or a list that cannot be written is reported with the file
 * and the reason, and nothing changes. Nothing but that one list file is ever written.
 */
[[nodiscard]] std::optional<std::string> importSkierNames(AppContext& app);

} // namespace leapmark
