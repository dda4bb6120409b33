#pragma once

#include "common/Result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace leapmark {

/**
 * The names of a tournament name file, item by item in file order: commas and line ends separate
 * items, a quoted item may hold commas, blanks before an item are dropped, an item that reads as a
 * number comes back in its plain text (007 gives 7). Names are taken as they stand, commas inside
 * quotes included. Empty items (an empty line, two commas in a row) are skipped: an empty entry in
 * the measurement screen's name list would only be a trap for the operator. The file's text is
 * taken as UTF-8, or as Windows-1252 when it is not valid UTF-8 (nameFileText).
 *
 * Reading stops at the first error; the names read until then are kept. The error is only for a
 * file that cannot be read at all (missing, a folder, unreadable, too large, binary data); the
 * caller then keeps the names it had.
 */
[[nodiscard]] Result<std::vector<std::string>> readTournamentNames(const std::filesystem::path& path);

/** readTournamentNames on a file's bytes already read; sourceName stands for the file in errors. */
[[nodiscard]] Result<std::vector<std::string>> tournamentNamesOfBytes(const std::string& sourceName,
                                                                      std::string_view bytes);

} // namespace leapmark
