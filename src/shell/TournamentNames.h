#pragma once

#include "common/Result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace leapmark {

/**
 * The names of a tournament name file, item by item in file order: commas and line ends separate
 * items, a quoted item may hold commas, an item that reads as a number comes back in its plain
 * text (007 gives 7). Reading stops at the first error; the names read until then are kept.
 * The error is only for a file that cannot be opened at all.
 */
[[nodiscard]] Result<std::vector<std::string>> readTournamentNames(const std::filesystem::path& path);

} // namespace leapmark
